#pragma once

// The formulas a circuit is worked out with, in words and in symbols, as the report lists them:
// the same steps, in the same order, as the engine takes them.

#include <span>
#include <string_view>

namespace idrovela::report {

struct Formula {
    std::string_view words;    // what it gives and how, in Italian
    std::string_view symbols;  // the formula, with its units
};

[[nodiscard]] std::span<const Formula> Formulas();

}  // namespace idrovela::report
