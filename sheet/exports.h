#pragma once

// The files a circuit window exports to: the name it suggests, beside the circuit's own file, and
// never the circuit's own file, which an export would replace.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace idrovela::sheet {

// The circuit's file with `extension` (".pdf") in its place, or "Senza nome.pdf" for a circuit
// never saved.
[[nodiscard]] std::filesystem::path ExportSuggestion(
    const std::optional<std::filesystem::path>& circuitFile, std::string_view extension);

// Why `what` ("La relazione") may not be written to `target`: it is the circuit's own file, by
// whatever name (a link, "./", "../"). None when it may.
[[nodiscard]] std::optional<std::string> ExportRefusal(
    const std::filesystem::path& target, const std::optional<std::filesystem::path>& circuitFile,
    std::string_view what);

}  // namespace idrovela::sheet
