#include "fuzz/utf8.h"

#include <cstddef>

namespace idrovela::fuzz {

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if ((lead & 0xE0U) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1FU;
        } else if ((lead & 0xF0U) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0FU;
        } else if ((lead & 0xF8U) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07U;
        } else {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0U) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6U) | (next & 0x3FU);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace idrovela::fuzz
