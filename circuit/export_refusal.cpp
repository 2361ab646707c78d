#include "circuit/export_refusal.h"

#include <system_error>

#include "circuit/messages.h"
#include "text/path_text.h"

namespace idrovela::circuit {

std::optional<std::string> ExportRefusal(const std::filesystem::path& target,
                                         const std::optional<std::filesystem::path>& circuitFile,
                                         std::string_view what) {
    if (!circuitFile) {
        return std::nullopt;
    }
    std::error_code error;
    bool same = std::filesystem::equivalent(target, *circuitFile, error);
    if (error) {
        // One of them is not there (yet): the names alone decide.
        std::error_code targetError;
        std::error_code circuitError;
        const std::filesystem::path a = std::filesystem::weakly_canonical(target, targetError);
        const std::filesystem::path b =
            std::filesystem::weakly_canonical(*circuitFile, circuitError);
        same = !targetError && !circuitError && a == b;
    }
    if (!same) {
        return std::nullopt;
    }
    return std::string(what) + " non può prendere il posto del circuito " +
           Quoted(text::Utf8OfPath(circuitFile->filename())) + ": scegliere un altro file.";
}

}  // namespace idrovela::circuit
