#include "circuit/load.h"

#include <string>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "circuit/messages.h"
#include "circuit/parse.h"
#include "text/path_text.h"

namespace idrovela::circuit {

namespace {

// "Impossibile aprire «PATH»: " and why, which is a sentence of its own elsewhere: its first
// letter made small ("Tratto «A», …" becomes "tratto «A», …"; "JSON" stays).
CircuitError CannotOpen(const std::filesystem::path& path, std::string reason) {
    if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' && reason[1] >= 'a' &&
        reason[1] <= 'z') {
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    }
    return CircuitError("Impossibile aprire " + QuotedPath(path) + ": " + reason);
}

}  // namespace

std::string ReadCircuitFile(const std::filesystem::path& path) {
    try {
        return ReadRegularFile(path, kMaxFileBytes,
                               "il file supera i 256 MiB che un circuito può avere");
    } catch (const FileError& error) {
        throw CannotOpen(path, std::string(error.what()) + ".");
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
    const std::string text = ReadCircuitFile(path);
    try {
        return LoadCircuitText(text, catalogue);
    } catch (const CircuitError& error) {
        // The text has no name: every message about it names the file here, once.
        throw CannotOpen(path, error.what());
    }
}

}  // namespace idrovela::circuit
