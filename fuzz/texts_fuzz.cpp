// libFuzzer target: any bytes as a field's text, and as numbers written and read back.

#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    idrovela::fuzz::CheckTexts(data, size);
    return 0;
}
