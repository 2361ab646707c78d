#!/usr/bin/env bash
# Installs what is missing, builds the benchmark suite in build/ (optimised, as the tests are),
# and runs it. Arguments go to the suite, for example --benchmark_filter=Ricalcola.
# Usage: scripts/bench.sh [BENCHMARK OPTION...]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt)

cmake -S . -B build -G Ninja
cmake --build build --target idrovela-bench
build/bench/idrovela-bench "$@"
