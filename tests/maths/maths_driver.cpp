// The driver of scripts/check_maths.py: reads binary doubles (native byte order) from standard
// input, pairs for pow, and writes each result as a binary double to standard output.
//
//     maths_driver exp|log|log1p|log10|pow < inputs > results

#include <cstdio>
#include <cstring>
#include <vector>

#include "maths/maths.h"

namespace {

using idrovela::maths::Exp;
using idrovela::maths::Log;
using idrovela::maths::Log10;
using idrovela::maths::Log1p;
using idrovela::maths::Pow;

using Unary = double (*)(double);

Unary UnaryNamed(const char* name) {
    if (std::strcmp(name, "exp") == 0) {
        return Exp;
    }
    if (std::strcmp(name, "log") == 0) {
        return Log;
    }
    if (std::strcmp(name, "log1p") == 0) {
        return Log1p;
    }
    if (std::strcmp(name, "log10") == 0) {
        return Log10;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: maths_driver exp|log|log1p|log10|pow < doubles > doubles\n", stderr);
        return 2;
    }
    const bool pow = std::strcmp(argv[1], "pow") == 0;
    const Unary unary = UnaryNamed(argv[1]);
    if (!pow && unary == nullptr) {
        std::fprintf(stderr, "maths_driver: unknown function %s\n", argv[1]);
        return 2;
    }
    const std::size_t arity = pow ? 2 : 1;
    std::vector<double> inputs(4096 * arity);
    std::vector<double> results(4096);
    for (;;) {
        const std::size_t read = std::fread(inputs.data(), sizeof(double), inputs.size(), stdin);
        const std::size_t count = read / arity;
        for (std::size_t i = 0; i < count; ++i) {
            results[i] = pow ? Pow(inputs[2 * i], inputs[2 * i + 1]) : unary(inputs[i]);
        }
        if (std::fwrite(results.data(), sizeof(double), count, stdout) != count) {
            return 1;
        }
        if (read < inputs.size()) {
            return std::ferror(stdin) != 0 ? 1 : 0;
        }
    }
}
