#include "circuit/messages.h"

#include "physics/decimal_text.h"

namespace idrovela::circuit {

std::string SegmentName(const Segment& segment, std::size_t index) {
    if (segment.id.empty()) {
        return "Tratto n. " + std::to_string(index + 1);
    }
    return "Tratto " + Quoted(segment.id);
}

std::string Amount(double value, std::string_view unit) {
    return physics::QuantityText(value, unit);
}

void Fail(std::string_view where, std::string_view key, std::string_view problem) {
    std::string message(where);
    if (!key.empty()) {
        message += ", ";
        message += key;
    }
    message += ": ";
    message += problem;
    throw CircuitError(message);
}

}  // namespace idrovela::circuit
