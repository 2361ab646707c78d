#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test with CTest.
# Usage: scripts/test.sh [--sanitize | --release]
#   --sanitize  build in build-sanitize/ with AddressSanitizer and UndefinedBehaviorSanitizer
#   --release   build in build-release/ optimised as users and packagers build (-O3)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt)
# The Italian locale, so that the tests can run under it (LC_ALL=it_IT.UTF-8): figures meant for
# programs must not follow the locale the desktop program takes from the user's environment.
scripts/locale.sh it_IT.UTF-8

build_dir=build
options=(-DIDROVELA_WERROR=ON)
case "${1:-}" in
    --sanitize)
        build_dir=build-sanitize
        options+=(-DIDROVELA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    --release)
        build_dir=build-release
        options+=(-DCMAKE_BUILD_TYPE=Release) ;;
    "") ;;
    *) sed -n '2,5p' "$0" >&2; exit 2 ;;
esac

cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
