#include "circuit/load.h"

#include <string>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "circuit/messages.h"
#include "circuit/parse.h"
#include "text/path_text.h"

namespace idrovela::circuit {

std::string ReadCircuitFile(const std::filesystem::path& path) {
    try {
        return ReadRegularFile(path, kMaxFileBytes,
                               "il file supera i 256 MiB che un circuito può avere");
    } catch (const FileError& error) {
        throw CircuitError("Impossibile aprire " + Quoted(text::Utf8OfPath(path)) + ": " +
                           error.what() + ".");
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
