#pragma once

// The name a circuit window suggests for an export: beside the circuit's own file (which the
// export may never replace: circuit/export_refusal.h).

#include <filesystem>
#include <optional>
#include <string_view>

namespace idrovela::sheet {

// The circuit's file with `extension` (".pdf") in its place, or "Senza nome.pdf" for a circuit
// never saved.
[[nodiscard]] std::filesystem::path ExportSuggestion(
    const std::optional<std::filesystem::path>& circuitFile, std::string_view extension);

}  // namespace idrovela::sheet
