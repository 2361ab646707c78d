// The POSIX side of the program's files: its error numbers mapped onto FileFault, its temporary
// file, flush and rename, and its test of a process.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "circuit/file_error.h"
#include "circuit/file_system.h"

namespace idrovela::circuit {

namespace {

enum class Access { Read, Write };

// The system's error in the user's words: the table's, or the system's own for one not in it.
std::string Reason(int error, Access access) {
    switch (error) {
        case ENOENT:
            return std::string(
                FaultWords(access == Access::Read ? FileFault::NoFile : FileFault::NoFolder));
        case EACCES:
        case EPERM:
            return std::string(FaultWords(FileFault::Denied));
        case EROFS:
            return std::string(FaultWords(FileFault::ReadOnlyDisk));
        case ENOSPC:
        case EDQUOT:
            return std::string(FaultWords(FileFault::DiskFull));
        case EISDIR:
            return std::string(FaultWords(FileFault::Folder));
        case EFBIG:
            return std::string(FaultWords(FileFault::TooLarge));
        case ENOTDIR:
            return std::string(FaultWords(FileFault::PathNotFolder));
        case ENAMETOOLONG:
            return std::string(FaultWords(FileFault::NameTooLong));
        default:
            break;
    }
    return std::strerror(error);
}

[[noreturn]] void ReadFailed(int error) {
    throw FileError(Reason(error, Access::Read));
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

std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                            std::string_view tooLarge) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        ReadFailed(errno);
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        ReadFailed(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw FileError(FileFault::Folder);
    }
    if (!S_ISREG(status.st_mode)) {
        throw FileError(FileFault::NotRegular);
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        throw FileError(std::string(tooLarge));
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
            ReadFailed(errno);
        }
        if (got == 0) {
            return text;
        }
        text.append(chunk.data(), static_cast<std::size_t>(got));
        if (text.size() > maxBytes) {
            throw FileError(std::string(tooLarge));
        }
    }
}

AtomicFile::AtomicFile(const std::filesystem::path& path) : target_(Resolved(path)) {
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    existed_ = exists && S_ISREG(existing.st_mode);
    if (exists && S_ISDIR(existing.st_mode)) {
        throw FileError(FileFault::Folder);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device, a pipe or a socket: renaming over it would replace it, not write to it.
        throw FileError(FileFault::NotRegular);
    }
    folder_ = target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    std::string name = TemporaryBeside(target_, "XXXXXX").native();
    descriptor_ = ::mkstemp(name.data());
    if (descriptor_ < 0) {
        Fail(errno);  // nothing made, nothing to remove
    }
    temporary_ = name;
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(descriptor_, mode) != 0) {
        // A constructor that throws runs no destructor: close and remove the new file here.
        const int error = errno;
        ::close(descriptor_);
        ::unlink(temporary_.c_str());
        Fail(error);
    }
}

AtomicFile::~AtomicFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
    if (!renamed_ && !temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

void AtomicFile::Fail(int error) const {
    throw FileError(Reason(error, Access::Write), existed_);
}

void AtomicFile::Write(std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(descriptor_, text.data() + written, text.size() - written);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
        }
        written += static_cast<std::size_t>(result);
    }
}

void AtomicFile::Commit(bool sync) {
    if (sync && ::fsync(descriptor_) != 0) {
        Fail(errno);
    }
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) {
        Fail(errno);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
    }
    renamed_ = true;
    if (sync) {
        const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
}

bool ProcessEnded(long long pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace idrovela::circuit
