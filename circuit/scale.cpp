#include "circuit/scale.h"

#include <array>
#include <charconv>

namespace idrovela::circuit {

namespace {

// Every digit a value needs to read back the same, with the decimal comma; from 10¹⁵ on, with an
// exponent ("1e+15"), as no one reads that many digits.
std::string FullFigure(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] =
        value < 1e15 ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                     std::chars_format::fixed)
                     : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), error == std::errc{} ? end : buffer.data());
    for (char& c : text) {
        c = c == '.' ? ',' : c;
    }
    return text;
}

}  // namespace

std::string OutOfScaleText(std::string_view what, std::string_view shown, const Scale& scale) {
    std::string text(what);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    text += ": ";
    text += shown;
    text += " è fuori scala per qualunque edificio; si accettano ";
    text += scale.range;
    text += '.';
    return text;
}

std::vector<OutOfScale> OutOfScaleValues(const Segment& segment) {
    std::vector<OutOfScale> found;
    const auto check = [&found](std::string_view key, double value, const Scale& scale) {
        if (value > scale.max) {
            found.push_back({std::string(key), value, scale});
        }
    };
    check("lunghezza", segment.lengthM, kLengthScale);
    for (std::size_t i = 0; i < segment.valves.size(); ++i) {
        if (segment.valves[i].kv > kKvScale.max) {
            check("valvole n. " + std::to_string(i + 1) + ", kv", segment.valves[i].kv, kKvScale);
        }
    }
    if (segment.terminal) {
        const Terminal& terminal = *segment.terminal;
        if (terminal.load == Terminal::Load::Power) {
            check("terminale, potenza", terminal.loadValue, kPowerScale);
        } else {
            check("terminale, portata", terminal.loadValue, kFlowScale);
        }
        if (terminal.device == Terminal::Device::Kv) {
            check("terminale, kv", terminal.deviceValue, kKvScale);
        }
    }
    return found;
}

std::string OutOfScaleWarning(const OutOfScale& value) {
    return OutOfScaleText(value.key, FullFigure(value.value) + " " + std::string(value.scale.unit),
                          value.scale);
}

}  // namespace idrovela::circuit
