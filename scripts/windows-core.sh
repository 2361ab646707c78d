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

# ---- The same bytes from both runners ----
compare_dir=$build_dir/compare
rm -rf "$compare_dir"
# run_both NAME SCRIPT [FILE...]: runs SCRIPT with each runner in a folder of its own holding
# copies of the FILEs, the script given as an argument (its name may hold any character), or with
# NAME ending in "-stdin" on standard input.
run_both() {
    local name=$1 script=$2
    shift 2
    for side in linux windows; do
        local work=$compare_dir/$side/$name
        mkdir -p "$work"
        [ $# -eq 0 ] || cp "$@" "$work/"
        cp "$script" "$work/"
        local runner=$linux_runner
        [ "$side" = windows ] && runner="wine $windows_runner"
        local script_name
        script_name=$(basename "$script")
        local status=0
        if [[ "$name" == *-stdin ]]; then
            (cd "$work" && $runner < "$script_name" > ../"$name.out" 2> ../"$name.err") || status=$?
        else
            (cd "$work" && $runner "$script_name" > ../"$name.out" 2> ../"$name.err") || status=$?
        fi
        echo "$status" > "$compare_dir/$side/$name.status"
    done
}

sessions=tests/session/sessions
for script in "$sessions"/*.session; do
    name=$(basename "$script" .session)
    run_both "$name" "$script" "$sessions"/*.idrovela
done
run_both startup-stdin "$sessions/startup.session"

# Every circuit the tests and the fuzzers keep: its sheet, saved, as CSV, and read back.
circuit_script=$compare_dir/circuit.session
mkdir -p "$compare_dir"
printf '%s\n' 'circuit circuito' 'circuit-save salvato.idrovela' 'circuit-csv tabella.csv' \
    'circuit salvato.idrovela' > "$circuit_script"
for circuit in "$sessions"/*.idrovela tests/report/data/*.idrovela fuzz/corpus/circuit/* \
    fuzz/regressions/circuit/*; do
    [ -f "$circuit" ] || continue
    copy=$compare_dir/circuito
    cp "$circuit" "$copy"
    run_both "circuit-$(basename "$circuit")" "$circuit_script" "$copy"
done

# Names beyond ASCII, in the script's name, in the circuit's and in what it writes.
name='Villetta Łódź – Δp'
unicode_dir=$compare_dir/unicode
mkdir -p "$unicode_dir"
cp tests/report/data/villetta.idrovela "$unicode_dir/$name.idrovela"
printf '%s\n' "circuit $name.idrovela" "circuit-save Salvata $name.idrovela" \
    "circuit-csv $name.csv" "circuit-save cartella $name/$name.idrovela" \
    "circuit Salvata $name.idrovela" "circuit manca $name.idrovela" \
    > "$unicode_dir/sessione Łódź.session"
run_both unicode "$unicode_dir/sessione Łódź.session" "$unicode_dir/$name.idrovela"

runs=$(find "$compare_dir/linux" -maxdepth 1 -name '*.status' | wc -l)
if ! diff -r "$compare_dir/linux" "$compare_dir/windows"; then
    echo "== idrovela-session and idrovela-session.exe differ (above; both in $compare_dir)"
    exit 1
fi
echo "== $runs runs: idrovela-session and idrovela-session.exe printed and wrote the same bytes"
echo "== scripts/windows-core.sh took $SECONDS s"
