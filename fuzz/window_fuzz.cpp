// libFuzzer target: any bytes as a sequence of user actions on a started window.

#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    idrovela::fuzz::CheckWindowActions(data, size);
    return 0;
}
