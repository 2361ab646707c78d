#pragma once

#include <stdexcept>

namespace idrovela::physics {

// Bad input, or a value outside the data: the message, in Italian (UTF-8), names the quantity and
// the range that does hold. Every function of the engine throws it, and nothing else, for bad
// input.
class PhysicsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace idrovela::physics
