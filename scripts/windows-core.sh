#!/usr/bin/env bash
# Cross-builds the toolkit-free core, idrovela-session.exe and their tests for 64-bit Windows with
# MinGW-w64, warnings as errors, in build-mingw/; runs the tests under Wine; then runs every
# session script and a set of circuits through both idrovela-session and idrovela-session.exe and
# compares what they print, their exit status and the files they write, byte for byte.
# The Linux runner is build/app/idrovela-session (scripts/test.sh), built first if missing.
# Usage: scripts/windows-core.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh cmake ninja-build g++ googletest nlohmann-json3-dev \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine

build_dir=build-mingw
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DIDROVELA_GUI=OFF -DIDROVELA_BENCHMARKS=OFF -DIDROVELA_WERROR=ON
cmake --build "$build_dir"

linux_runner=build/app/idrovela-session
if [ ! -x "$linux_runner" ]; then
    cmake -S . -B build -G Ninja -DIDROVELA_WERROR=ON
    cmake --build build --target idrovela-session
fi
windows_runner=$PWD/$build_dir/app/idrovela-session.exe
linux_runner=$PWD/$linux_runner

# A throwaway prefix, removed with its server at the end; Wine's own messages off; no menu
# entries or file types written into this machine's desktop. A UTF-8 locale, from which Wine
# turns the arguments and the names of files into UTF-16.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/idrovela-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
started=$SECONDS
# One Wine server for every test, kept until the end: none starts or stops between two tests.
wineserver --persistent
wineboot --init 2>/dev/null
echo "== Wine's prefix made in $((SECONDS - started)) s"

started=$SECONDS
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
echo "== the tests ran under Wine in $((SECONDS - started)) s"

scripts/windows/compare_sessions.sh "$linux_runner" "$windows_runner" "$build_dir/compare"
echo "== scripts/windows-core.sh took $SECONDS s"
