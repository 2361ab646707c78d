// libFuzzer target: any bytes as a circuit file.

#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    idrovela::fuzz::CheckCircuitText(data, size);
    return 0;
}
