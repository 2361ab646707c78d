#include "sheet/exports.h"

#include <system_error>

#include "circuit/messages.h"
#include "sheet/window_texts.h"
#include "text/quoted.h"

namespace idrovela::sheet {

std::filesystem::path ExportSuggestion(const std::optional<std::filesystem::path>& circuitFile,
                                       std::string_view extension) {
    if (!circuitFile) {
        return std::filesystem::path(DocumentName(std::nullopt) + std::string(extension));
    }
    std::filesystem::path suggestion = *circuitFile;
    suggestion.replace_extension(std::filesystem::path(std::string(extension)));
    return suggestion;
}

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
           text::Quoted(circuitFile->filename().string()) + ": scegliere un altro file.";
}

}  // namespace idrovela::sheet
