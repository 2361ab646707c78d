#include "circuit/load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "circuit/messages.h"
#include "circuit/parse.h"

namespace idrovela::circuit {

namespace {

[[noreturn]] void ReadFailed(const std::filesystem::path& path, const std::string& reason) {
    throw CircuitError("Impossibile aprire " + Quoted(path.string()) + ": " + reason + ".");
}

std::string Reason(int error) {
    switch (error) {
        case ENOENT:
            return "il file non esiste";
        case EACCES:
        case EPERM:
            return "permesso negato";
        case EISDIR:
            return "è una cartella";
        default:
            break;
    }
    return std::strerror(error);
}

// Closes the descriptor however the reading ends.
class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    [[nodiscard]] int Get() const { return descriptor_; }

  private:
    int descriptor_;
};

}  // namespace

std::string ReadCircuitFile(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        ReadFailed(path, Reason(errno));
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        ReadFailed(path, Reason(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        ReadFailed(path, "è una cartella, non un file");
    }
    if (!S_ISREG(status.st_mode)) {
        ReadFailed(path, "non è un file normale");
    }
    if (static_cast<std::uintmax_t>(status.st_size) > kMaxFileBytes) {
        ReadFailed(path, "il file supera i 256 MiB che un circuito può avere");
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(status.st_size));
    // Read to the end, whatever the size said: a file that grows meanwhile is still capped.
    std::array<char, 1 << 16> chunk{};
    while (true) {
        const ssize_t got = ::read(file.Get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ReadFailed(path, Reason(errno));
        }
        if (got == 0) {
            return text;
        }
        text.append(chunk.data(), static_cast<std::size_t>(got));
        if (text.size() > kMaxFileBytes) {
            ReadFailed(path, "il file supera i 256 MiB che un circuito può avere");
        }
    }
}

LoadedCircuit LoadCircuitText(std::string_view text, const catalogues::Catalogue& catalogue) {
    LoadedCircuit loaded;
    loaded.circuit = ParseCircuit(text);
    loaded.solution = Solve(loaded.circuit, catalogue);
    return loaded;
}

LoadedCircuit LoadCircuitFile(const std::filesystem::path& path,
                              const catalogues::Catalogue& catalogue) {
    return LoadCircuitText(ReadCircuitFile(path), catalogue);
}

}  // namespace idrovela::circuit
