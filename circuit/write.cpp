#include "circuit/write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

#include "circuit/messages.h"
#include "circuit/solve.h"

namespace idrovela::circuit {

namespace {

using Json = nlohmann::ordered_json;

// Whole numbers below 2⁵³ are written as integers ("200", not "200.0"), exactly; every other
// number as nlohmann-json writes a double, which reads back to the same one.
Json Number(double value) {
    constexpr double kExactIntegers = 9007199254740992.0;  // 2⁵³
    if (value == std::floor(value) && std::fabs(value) < kExactIntegers) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

std::string_view FluidName(FluidType type) {
    switch (type) {
        case FluidType::Etilenico:
            return "etilenico";
        case FluidType::Propilenico:
            return "propilenico";
        case FluidType::Acqua:
            break;
    }
    return "acqua";
}

Json TubeJson(const Tube& tube) {
    Json json = Json::object();
    json["serie"] = tube.series;
    if (tube.automatic) {
        json["automatico"] = true;
        return json;
    }
    json["designazione"] = tube.designation;
    json["diametro_interno"] = Number(tube.innerMm);
    json["rugosita"] = Number(tube.roughnessMm);
    return json;
}

Json SegmentJson(const Segment& segment) {
    Json json = Json::object();
    json["id"] = segment.id;
    if (segment.upstream) {
        json["a_monte"] = *segment.upstream;
    }
    json["descrizione"] = segment.description;
    json["lunghezza"] = Number(segment.lengthM);
    json["tubo"] = TubeJson(segment.tube);
    Json fittings = Json::array();
    for (const Fitting& fitting : segment.fittings) {
        Json item = Json::object();
        if (!fitting.key.empty()) {
            item["tipo"] = fitting.key;
            item["numero"] = fitting.count;
        } else {
            item["zeta"] = Number(fitting.zeta);
            item["numero"] = fitting.count;
            item["descrizione"] = fitting.description;
        }
        fittings.push_back(std::move(item));
    }
    json["accidenti"] = std::move(fittings);
    Json valves = Json::array();
    for (const Valve& valve : segment.valves) {
        Json item = Json::object();
        item["kv"] = Number(valve.kv);
        item["descrizione"] = valve.description;
        valves.push_back(std::move(item));
    }
    json["valvole"] = std::move(valves);
    if (segment.terminal) {
        const Terminal& terminal = *segment.terminal;
        Json item = Json::object();
        item["descrizione"] = terminal.description;
        item[terminal.load == Terminal::Load::Power ? "potenza" : "portata"] =
            Number(terminal.loadValue);
        if (terminal.device == Terminal::Device::PressureDrop) {
            item["dp"] = Number(terminal.deviceValue);
        } else if (terminal.device == Terminal::Device::Kv) {
            item["kv"] = Number(terminal.deviceValue);
        }
        json["terminale"] = std::move(item);
    }
    return json;
}

// The reason a file operation failed, in the user's words.
std::string Reason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "permesso negato";
        case EROFS:
            return "il disco è in sola lettura";
        case ENOSPC:
        case EDQUOT:
            return "il disco è pieno";
        case EISDIR:
            return "al suo posto c'è una cartella";
        case ENOENT:
            return "la cartella non esiste";
        case ENOTDIR:
            return "una parte del percorso non è una cartella";
        case ENAMETOOLONG:
            return "il nome è troppo lungo";
        default:
            break;
    }
    return std::strerror(error);
}

[[noreturn]] void SaveFailed(const std::filesystem::path& path, int error) {
    throw CircuitError("Impossibile salvare " + Quoted(path.string()) + ": " + Reason(error) +
                       ". Il file di prima è rimasto com'era.");
}

// Closes a descriptor and removes the half-written file unless told it was renamed into place.
class TemporaryFile {
  public:
    TemporaryFile(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    [[nodiscard]] int Descriptor() const { return descriptor_; }
    [[nodiscard]] const std::string& Path() const { return path_; }
    // Closes it; the error number, or 0.
    int Close() {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0 ? 0 : errno;
    }
    void Keep() { kept_ = true; }

  private:
    int descriptor_;
    std::string path_;
    bool kept_ = false;
};

}  // namespace

std::string WriteCircuit(const Circuit& circuit) {
    Json json = Json::object();
    json["formato"] = kFormat;
    json["versione"] = kVersion;
    json["progetto"] = {{"nome", circuit.project.name},
                        {"autore", circuit.project.author},
                        {"note", circuit.project.notes}};
    Json fluid = Json::object();
    fluid["tipo"] = FluidName(circuit.fluid.type);
    fluid["percentuale"] = Number(circuit.fluid.volumePercent);
    fluid["mandata"] = Number(circuit.fluid.supplyC);
    fluid["ritorno"] = Number(circuit.fluid.returnC);
    json["fluido"] = std::move(fluid);
    Json limits = Json::object();
    limits["pa_per_m"] = Number(circuit.limits.pascalPerMetre);
    limits["velocita"] = Number(circuit.limits.velocityMs);
    json["limiti"] = std::move(limits);
    Json margins = Json::object();
    margins["portata"] = Number(circuit.margins.flowPercent);
    margins["prevalenza"] = Number(circuit.margins.headPercent);
    json["margini"] = std::move(margins);
    json["tratti"] = Json::array();
    std::string text = json.dump(2);
    if (circuit.segments.empty()) {
        text += '\n';
        return text;
    }
    // The segments go into the list one at a time, each dumped on its own and put two levels in,
    // as dumping the whole document would: no large circuit is held twice, as segments and as a
    // document. A dumped text never holds a line break of its own (it is written \n), so every
    // line break in a segment's dump starts one of its lines.
    constexpr std::string_view kEmptyListEnd = "]\n}";
    constexpr std::string_view kIndent = "    ";
    text.resize(text.size() - kEmptyListEnd.size());  // up to the list's "["
    text += '\n';
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const std::string segment = SegmentJson(circuit.segments[i]).dump(2);
        if (i == 0) {
            // Room for as many segments of half as much again as the first one, within what a
            // file may hold (room never written costs nothing): growing the text step by step
            // took a third of the time.
            const auto lines =
                static_cast<std::size_t>(std::count(segment.begin(), segment.end(), '\n') + 1);
            const std::size_t each = segment.size() + lines * kIndent.size() + 2;
            const std::size_t estimate = circuit.segments.size() * each / 2 * 3;
            text.reserve(text.size() + std::min<std::size_t>(estimate, kMaxFileBytes));
        } else {
            text += ",\n";
        }
        text += kIndent;
        std::size_t from = 0;
        for (std::size_t lineBreak = segment.find('\n'); lineBreak != std::string::npos;
             lineBreak = segment.find('\n', from)) {
            text.append(segment, from, lineBreak + 1 - from);
            text += kIndent;
            from = lineBreak + 1;
        }
        text.append(segment, from);
    }
    text += "\n  ]\n}\n";
    return text;
}

void WriteFileAtomically(const std::filesystem::path& path, const std::string& text, bool sync) {
    // Through a symbolic link the file it points to is replaced, not the link.
    std::filesystem::path target = path;
    std::error_code ignored;
    if (std::filesystem::is_symlink(path, ignored)) {
        target = std::filesystem::weakly_canonical(path, ignored);
        if (ignored) {
            target = path;
        }
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        SaveFailed(path, EISDIR);
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        SaveFailed(path, errno);
    }
    TemporaryFile temporary(descriptor, pattern);
    // The new file gets the old one's permissions; a new one those of any new file.
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(descriptor, mode) != 0) {
        SaveFailed(path, errno);
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            SaveFailed(path, errno);
        }
        written += static_cast<std::size_t>(result);
    }
    if (sync && ::fsync(descriptor) != 0) {
        SaveFailed(path, errno);
    }
    if (const int error = temporary.Close(); error != 0) {
        SaveFailed(path, error);
    }
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
        SaveFailed(path, errno);
    }
    temporary.Keep();
    if (sync) {
        // The rename itself reaches the disk with the folder.
        const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (folderDescriptor >= 0) {
            ::fsync(folderDescriptor);
            ::close(folderDescriptor);
        }
    }
}

void SaveCircuit(const Circuit& circuit, const catalogues::Catalogue& catalogue,
                 const std::filesystem::path& path, bool sync) {
    static_cast<void>(Solve(circuit, catalogue));
    const std::string text = WriteCircuit(circuit);
    // Long texts can make a circuit that loads write a file too large to load again.
    if (text.size() > kMaxFileBytes) {
        throw CircuitError("Impossibile salvare " + Quoted(path.string()) +
                           ": il file supererebbe i 256 MiB che un circuito può avere, e non si "
                           "potrebbe più aprire. Il file di prima è rimasto com'era.");
    }
    WriteFileAtomically(path, text, sync);
}

}  // namespace idrovela::circuit
