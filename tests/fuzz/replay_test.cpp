// Every seed of the fuzz targets and every input a fuzzer has found, replayed through the same
// checks in the regular run, so a finding, once mended, stays mended.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/checks.h"

namespace idrovela::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const char* target) {
    std::vector<fs::path> inputs;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(IDROVELA_FUZZ_DIR) / folder / target;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.is_regular_file() && entry.path().filename() != ".gitkeep") {
                inputs.push_back(entry.path());
            }
        }
    }
    return inputs;
}

std::vector<std::uint8_t> Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

template <typename Check>
void ReplayAll(const char* target, Check check) {
    const std::vector<fs::path> inputs = InputsOf(target);
    EXPECT_FALSE(inputs.empty());
    for (const fs::path& path : inputs) {
        const std::vector<std::uint8_t> input = Read(path);
        try {
            check(input.data(), input.size());
        } catch (const std::exception& broken) {
            ADD_FAILURE() << path.filename() << ": " << broken.what();
        }
    }
}

TEST(FuzzInputs, TextsHoldEveryProperty) {
    ReplayAll("texts", CheckTexts);
}

TEST(FuzzInputs, WindowActionsHoldEveryProperty) {
    ReplayAll("window", CheckWindowActions);
}

TEST(FuzzInputs, CatalogueTextsHoldEveryProperty) {
    ReplayAll("catalogues", CheckCatalogueText);
}

TEST(FuzzInputs, CircuitTextsHoldEveryProperty) {
    ReplayAll("circuit", CheckCircuitText);
}

}  // namespace
}  // namespace idrovela::fuzz
