#pragma once

// The figures no building needs: a terminal above 10 MW or 1 000 000 l/h, a segment longer than
// 10 000 m, a Kv above 10 000 m³/h. The circuit window refuses them where they are typed; a file
// that holds one still loads, with a warning on its segment, so that a file that loaded before
// keeps loading.

#include <string>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"

namespace idrovela::circuit {

struct Scale {
    double max = 0.0;        // the largest value taken, itself included
    std::string_view unit;   // "m"
    std::string_view range;  // the values taken, in words: "valori da 0 a 10 000 m"
};

inline constexpr Scale kLengthScale{10'000.0, "m", "valori da 0 a 10 000 m"};
inline constexpr Scale kPowerScale{10'000'000.0, "W", "valori da 0 a 10 000 000 W"};
inline constexpr Scale kFlowScale{1'000'000.0, "l/h", "valori da 0 a 1 000 000 l/h"};
inline constexpr Scale kKvScale{10'000.0, "m³/h", "valori sopra 0 e fino a 10 000 m³/h"};

// "WHAT: SHOWN è fuori scala per qualunque edificio; si accettano RANGE.", WHAT with a capital.
[[nodiscard]] std::string OutOfScaleText(std::string_view what, std::string_view shown,
                                         const Scale& scale);

// The values of a segment beyond their scale, each named by its key as the file's messages name
// it ("lunghezza", "valvole n. 2, kv", "terminale, potenza"), in the order of the file's keys.
struct OutOfScale {
    std::string key;
    double value = 0.0;
    Scale scale;
};
[[nodiscard]] std::vector<OutOfScale> OutOfScaleValues(const Segment& segment);

// The warning for one of them: "Terminale, potenza: 1e+15 W è fuori scala per qualunque
// edificio; si accettano valori da 0 a 10 000 000 W.", the value in full below 10¹⁵.
[[nodiscard]] std::string OutOfScaleWarning(const OutOfScale& value);

}  // namespace idrovela::circuit
