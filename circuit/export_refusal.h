#pragma once

// No export ever takes the place of the circuit it comes from: the report, the CSV, whatever the
// name the user gives it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace idrovela::circuit {

// Why `what` ("La relazione") may not be written to `target`: it is the circuit's own file, by
// whatever name (a link, "./", "../"). None when it may, and for a circuit without a file.
[[nodiscard]] std::optional<std::string> ExportRefusal(
    const std::filesystem::path& target, const std::optional<std::filesystem::path>& circuitFile,
    std::string_view what);

}  // namespace idrovela::circuit
