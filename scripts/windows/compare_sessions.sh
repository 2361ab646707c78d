#!/usr/bin/env bash
# Runs every session script (one of them on standard input), every circuit the tests and the
# fuzzers keep (its sheet, saved, as CSV, read back) and a circuit, a script and the files they
# write named beyond ASCII through both the Linux runner and the Windows one under Wine, and
# compares what they print on both streams, their exit status and every file they write, byte for
# byte. Wine's settings (WINEPREFIX and the rest) come from the caller.
# Usage: scripts/windows/compare_sessions.sh LINUX_RUNNER WINDOWS_RUNNER.exe FOLDER
set -euo pipefail
cd "$(dirname "$0")/../.."
linux_runner=$(realpath "$1")
windows_runner=$(realpath "$2")
compare_dir=$3

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
