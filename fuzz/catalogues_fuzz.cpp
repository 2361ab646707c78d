// libFuzzer target: any bytes as a catalogue file.

#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    idrovela::fuzz::CheckCatalogueText(data, size);
    return 0;
}
