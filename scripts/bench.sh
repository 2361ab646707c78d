#!/usr/bin/env bash
# Installs what is missing, builds the benchmark suite in build-release/ (-O3, as users and
# packagers build), and runs it. Arguments go to the suite, for example --benchmark_filter=Ricalcola.
# Usage: scripts/bench.sh [BENCHMARK OPTION...]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt)

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release --target idrovela-bench
build-release/bench/idrovela-bench "$@"
