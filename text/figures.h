#pragma once

#include <string>

namespace idrovela::text {

// A figure for the eye: rounded half to even to `decimals` places and written with the decimal
// comma, as the window writes its numbers.
[[nodiscard]] std::string Shown(double value, int decimals);

// The same with exactly `decimals` places, as a column of figures shows them: 20,0 and 0,80.
[[nodiscard]] std::string Fixed(double value, int decimals);

// A figure for a program: 17 significant digits with a dot, as printf's %.17g writes them in the
// "C" locale, whatever the locale, so that it reads back exactly.
[[nodiscard]] std::string Exact(double value);

}  // namespace idrovela::text
