#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest.
# Usage: scripts/test.sh [--sanitize]
#   --sanitize  build in build-sanitize/ with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh cmake g++ ninja-build googletest libgtest-dev libbenchmark-dev

build_dir=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-sanitize
    options+=(-DIDROVELA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
