#pragma once

// The Colebrook-White difference that the friction factor evaluates at each trial value of
// lambda. The stepping and the root search both call this one function, so that every
// difference they compare is the same sequence of rounded Double operations.

#include <cstdint>

#include "calc/numbers.h"

namespace idrovela::Module_Calcoli {

// The inputs of the difference as Doubles, converted once per friction factor.
struct ColebrookInputs {
    double roughnessMm = 0.0;
    double diameterMm = 0.0;
    double reynolds = 0.0;
    double ln10 = 0.0;
    // Where to count the differences worked out, when the caller accounts for its work.
    std::int64_t* differences = nullptr;
};

[[nodiscard]] ColebrookInputs ColebrookInputsOf(Currency roughnessMm, Integer diameterMm,
                                                Currency reynolds,
                                                std::int64_t* differences = nullptr);

// 1 / lambda^0,5 - (1,74 - 2 log10(2 eps / D + 18,7 / (Re lambda^0,5))), one checked operation
// a line, in this order; raises the run-time error of the first step that fails. Counted before
// it is worked out, so that a difference that raises is counted too.
[[nodiscard]] double ColebrookDifference(double lambda, const ColebrookInputs& inputs);

}  // namespace idrovela::Module_Calcoli
