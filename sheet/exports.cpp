#include "sheet/exports.h"

#include <string>

#include "sheet/window_texts.h"

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

}  // namespace idrovela::sheet
