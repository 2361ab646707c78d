#include "sheet/numbers.h"

#include <variant>

#include "sheet/input.h"

namespace idrovela::sheet {

double Numbers::Read(std::string_view text, std::string_view what, const circuit::Scale* scale) {
    if (problem_.empty()) {
        auto read =
            scale == nullptr ? ReadNumber(text, what) : ReadScaledNumber(text, what, *scale);
        if (auto* value = std::get_if<double>(&read)) {
            return *value;
        }
        problem_ = std::get<std::string>(read);
    }
    return 0.0;
}

}  // namespace idrovela::sheet
