#pragma once

// The ranges a circuit's figures are checked against: each throws CircuitError naming the place,
// the key, the value with its unit and the range, for a value outside it or not finite.

#include <string_view>

namespace idrovela::circuit {

void RequireAtLeast(double value, double low, std::string_view where, std::string_view key,
                    std::string_view unit);
void RequireAbove(double value, double low, std::string_view where, std::string_view key,
                  std::string_view unit);
void RequireBetween(double value, double low, double high, std::string_view where,
                    std::string_view key, std::string_view unit);

}  // namespace idrovela::circuit
