#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz/) and runs each for SECONDS seconds,
# starting from the committed seeds and from what earlier runs here found. Fails on any finding;
# the input that broke a property is kept as build-fuzz/findings/TARGET-crash-...
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 60 s, targets texts, window,
# catalogues and circuit)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(texts window catalogues circuit)

# clang builds against the GNU C++ library that g++ brings.
scripts/deps.sh cmake ninja-build g++ clang libclang-rt-14-dev nlohmann-json3-dev

build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DIDROVELA_FUZZ=ON -DIDROVELA_GUI=OFF \
    -DIDROVELA_TESTS=OFF -DIDROVELA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir"

mkdir -p "$build_dir/findings"
status=0
for target in "${targets[@]}"; do
    corpus="$build_dir/corpus/$target"
    mkdir -p "$corpus"
    echo "== fuzzing $target for $seconds s"
    # -timeout: one input running for 10 s is a hang, and a finding.
    if ! "$build_dir/fuzz/idrovela-fuzz-$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -dict="fuzz/$target.dict" \
        -artifact_prefix="$build_dir/findings/$target-" \
        "$corpus" "fuzz/corpus/$target" "fuzz/regressions/$target" \
        2> "$build_dir/fuzz-$target.log"; then
        status=1
        tail -n 60 "$build_dir/fuzz-$target.log"
        echo "== $target: FINDING (see $build_dir/findings/)"
        continue
    fi
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb' \
        "$build_dir/fuzz-$target.log" || true
done
exit $status
