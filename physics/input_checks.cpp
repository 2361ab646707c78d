#include "physics/input_checks.h"

#include <cmath>
#include <string>

#include "physics/decimal_text.h"
#include "physics/physics_error.h"

namespace idrovela::physics {

void RequireFinite(double value, std::string_view quantity) {
    if (std::isnan(value)) {
        throw PhysicsError(std::string(quantity) + ": il valore non è un numero.");
    }
    if (std::isinf(value)) {
        throw PhysicsError(std::string(quantity) + ": il valore è infinito.");
    }
}

void RequirePositive(double value, std::string_view quantity, std::string_view unit) {
    RequireFinite(value, quantity);
    if (!(value > 0.0)) {
        throw PhysicsError(std::string(quantity) + ": il valore " + QuantityText(value, unit) +
                           " non è ammesso; deve essere maggiore di zero.");
    }
}

void RequireNotNegative(double value, std::string_view quantity, std::string_view unit) {
    RequireFinite(value, quantity);
    if (value < 0.0) {
        throw PhysicsError(std::string(quantity) + ": il valore " + QuantityText(value, unit) +
                           " non è ammesso; deve essere zero o maggiore.");
    }
}

void ThrowOutOfScale(std::string_view figure) {
    throw PhysicsError(std::string(figure) +
                       " fuori scala: il risultato supera i numeri rappresentabili.");
}

}  // namespace idrovela::physics
