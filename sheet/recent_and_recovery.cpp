#include "sheet/recent_and_recovery.h"

#include <algorithm>

#include "circuit/messages.h"
#include "circuit/write.h"
#include "sheet/window_texts.h"
#include "text/path_text.h"
#include "text/quoted.h"

namespace idrovela::sheet {

namespace {

constexpr std::string_view kRecoveryHeader = "idrovela-recupero 1\n";
constexpr std::string_view kRecoveryPrefix = "circuito-";
constexpr std::string_view kRecoveryExtension = ".recupero";

// A path on one line: "%" and the line break written as %25 and %0A.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '%') {
            line += "%25";
        } else if (c == '\n') {
            line += "%0A";
        } else {
            line += c;
        }
    }
    return line;
}

std::string FromOneLine(std::string_view line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.substr(i, 3) == "%25") {
            text += '%';
            i += 2;
        } else if (line.substr(i, 3) == "%0A") {
            text += '\n';
            i += 2;
        } else {
            text += line[i];
        }
    }
    return text;
}

}  // namespace

std::vector<std::string> Remember(std::vector<std::string> recent, const std::string& path) {
    recent = Forget(std::move(recent), path);
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentCircuits) {
        recent.resize(kRecentCircuits);
    }
    return recent;
}

std::vector<std::string> Forget(std::vector<std::string> recent, const std::string& path) {
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    return recent;
}

std::string RecentEntry(std::size_t index, const std::string& path) {
    std::string name;
    for (const char c : text::Utf8OfPath(text::PathFromUtf8(path).filename())) {
        name += c;
        if (c == '&') {
            name += '&';
        }
    }
    return '&' + std::to_string(index + 1) + ' ' + name;
}

std::optional<std::filesystem::path> RecoveryDir(
    const std::function<const char*(const char*)>& getenv) {
#ifdef _WIN32
    const char* local = getenv("LOCALAPPDATA");
    if (local != nullptr && text::PathFromUtf8(local).is_absolute()) {
        return text::PathFromUtf8(local) / "idrovela";
    }
    return std::nullopt;
#else
    const char* state = getenv("XDG_STATE_HOME");
    if (state != nullptr && std::filesystem::path(state).is_absolute()) {
        return std::filesystem::path(state) / "idrovela";
    }
    const char* home = getenv("HOME");
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "state" / "idrovela";
    }
    return std::nullopt;
#endif
}

std::string RecoveryFileName(long long pid, std::size_t n) {
    return std::string(kRecoveryPrefix) + std::to_string(pid) + '-' + std::to_string(n) +
           std::string(kRecoveryExtension);
}

bool IsRecoveryFile(const std::filesystem::path& path) {
    const std::string name = text::Utf8OfPath(path.filename());
    return name.starts_with(kRecoveryPrefix) && name.ends_with(kRecoveryExtension);
}

std::string RecoveryText(const circuit::Circuit& circuit,
                         const std::optional<std::filesystem::path>& file) {
    return std::string(kRecoveryHeader) +
           (file ? OneLine(text::Utf8OfPath(*file)) : std::string()) + '\n' +
           circuit::WriteCircuit(circuit);
}

Recovered ReadRecovery(std::string_view text, const catalogues::Catalogue& catalogue) {
    if (!text.starts_with(kRecoveryHeader)) {
        throw circuit::CircuitError("Non è una copia di recupero di Idrovela.");
    }
    text.remove_prefix(kRecoveryHeader.size());
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
        throw circuit::CircuitError("La copia di recupero è troncata.");
    }
    Recovered recovered;
    if (end > 0) {
        recovered.file = text::PathFromUtf8(FromOneLine(text.substr(0, end)));
    }
    recovered.loaded = circuit::LoadCircuitText(text.substr(end + 1), catalogue);
    return recovered;
}

std::string RecoveryQuestion(const Recovered& recovered) {
    return "Idrovela si è chiuso senza salvare le modifiche a " +
           text::Quoted(DocumentName(recovered.file)) +
           (recovered.file ? " (" + text::Utf8OfPath(*recovered.file) + ")" : std::string()) +
           ". Recuperarle?";
}

}  // namespace idrovela::sheet
