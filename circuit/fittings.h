#pragma once

// The built-in library of local-loss coefficients ζ, each referred to the velocity of the segment
// it sits on, with its source.

#include <span>
#include <string_view>

namespace idrovela::circuit {

struct FittingType {
    std::string_view key;     // as the file writes it: "curva-90-r1"
    double zeta;              // ζ
    std::string_view name;    // in words, for the sheet and the report
    std::string_view source;  // where the value comes from
};

// The key of the radiator as a fitting: its loss counted on the segment, in place of a terminal's
// own dp or kv.
inline constexpr std::string_view kRadiatorFitting = "radiatore";

// Every entry, in the order the sheet and the report list them.
[[nodiscard]] std::span<const FittingType> FittingLibrary();

// The entry called `key`, or null.
[[nodiscard]] const FittingType* FindFitting(std::string_view key);

}  // namespace idrovela::circuit
