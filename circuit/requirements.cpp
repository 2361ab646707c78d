#include "circuit/requirements.h"

#include <cmath>
#include <string>

#include "circuit/messages.h"

namespace idrovela::circuit {

void RequireAtLeast(double value, double low, std::string_view where, std::string_view key,
                    std::string_view unit) {
    if (!std::isfinite(value) || value < low) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere almeno " +
                 Amount(low, unit) + ".");
    }
}

void RequireAbove(double value, double low, std::string_view where, std::string_view key,
                  std::string_view unit) {
    if (!std::isfinite(value) || value <= low) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere maggiore di " +
                 Amount(low, unit) + ".");
    }
}

void RequireBetween(double value, double low, double high, std::string_view where,
                    std::string_view key, std::string_view unit) {
    if (!std::isfinite(value) || value < low || value > high) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere tra " +
                 Amount(low, "") + " e " + Amount(high, unit) + ".");
    }
}

}  // namespace idrovela::circuit
