#include "sheet/exports.h"

#include <string>

#include "sheet/window_texts.h"
#include "text/path_text.h"

namespace idrovela::sheet {

std::filesystem::path ExportSuggestion(const std::optional<std::filesystem::path>& circuitFile,
                                       std::string_view extension) {
    if (!circuitFile) {
        return text::PathFromUtf8(DocumentName(std::nullopt) + std::string(extension));
    }
    std::filesystem::path suggestion = *circuitFile;
    suggestion.replace_extension(text::PathFromUtf8(extension));
    return suggestion;
}

}  // namespace idrovela::sheet
