#!/usr/bin/env bash
# The program's windows stack as the user works with them, under a real X server (Xvfb) and
# window manager (openbox), read back from the window manager's own lists with xprop and driven
# with xdotool. The main window stays on top (its default), and:
#   - after File > Nuovo circuito the circuit window is the active window, above the main one;
#   - after an edit and Ctrl+W the question about the unsaved changes is the top window, the
#     active one, owned by the circuit window and centred over it;
#   - a click on the main window brings it above the circuit window, a click on the circuit
#     window brings that back;
#   - clearing the main window's on-top box releases both windows, ticking it again holds both;
#   - a circuit file given at start opens active, above the main window.
#
# Usage: windows_stack.sh PROGRAM CIRCUIT_FILE SCRATCH_DIR
# Starts its own X server through xvfb-run, at 1366 x 768.
set -u

readonly deadline_seconds=${IDROVELA_STACK_DEADLINE:-30}  # for each awaited state

if [ "${1:-}" != --inside ]; then
    [ $# -eq 3 ] || { sed -n '2,14p' "$0"; exit 2; }
    # xvfb-run -a can lose a race for a display number with another X server starting at the
    # same moment (its own, or its window manager, fails to start): then the whole run is tried
    # again, from another number.
    for attempt in 1 2 3; do
        rm -rf "$3" && mkdir -p "$3" || exit 2
        xvfb-run -a -n $((100 + (RANDOM % 400))) -s "-screen 0 1366x768x24 -nolisten tcp" \
            bash "$0" --inside "$@"
        status=$?
        [ -e "$3/display-ready" ] && [ "$status" -ne 75 ] && exit "$status"
        echo "no X display of its own on attempt $attempt (status $status); again" >&2
    done
    exit 1
fi
shift
program=$1 circuit_file=$2 scratch=$3

xprop -root >/dev/null 2>&1 || exit 75

# Away from the user's own settings, catalogues and recovery copies.
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_STATE_HOME=$scratch/state
export XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT

# ---- What the window manager says ----

# Window ids in decimal, so that xprop's and xdotool's compare.
decimal() { local id; for id in "$@"; do printf '%d\n' "$id"; done; }
# The managed windows, bottom to top.
stacking() {
    decimal $(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr ',' ' ')
}
active() { decimal $(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/.*# //p'); }
name() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }
states() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
owner() { decimal $(xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*# //p'); }
# The window's own area on the screen: X Y WIDTH HEIGHT.
area() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}'
}
# The managed window whose title is exactly $1, if there is one.
named() {
    local id
    for id in $(stacking); do
        [ "$(name "$id")" = "$1" ] && { echo "$id"; return 0; }
    done
    return 1
}
position() { stacking | grep -n -x "$1" | cut -d: -f1; }
# Whether window $1 is stacked above window $2.
above() {
    local upper lower
    upper=$(position "$1") lower=$(position "$2")
    [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}
top() { [ "$(stacking | tail -n 1)" = "$1" ]; }
is_active() { [ "$(active)" = "$1" ]; }
on_top() { states "$1" | grep -q _NET_WM_STATE_ABOVE; }

describe() {
    local id
    echo "windows, bottom to top (active: $(active)):"
    for id in $(stacking); do
        echo "  $id «$(name "$id")» at $(area "$id"); $(states "$id" | sed 's/.*= //')"
    done
}

# Waits until the command succeeds; past the deadline, says what was awaited and what is there.
await() {
    local what=$1 start=$SECONDS
    shift
    until "$@"; do
        if [ $((SECONDS - start)) -ge "$deadline_seconds" ]; then
            echo "FAILED: $what (waited ${deadline_seconds} s)"
            describe
            exit 1
        fi
        sleep 0.05
    done
    echo "ok: $what"
}

# A left click at X Y inside window $1.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# ---- The run ----

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
openbox_pid=$!
pids+=("$openbox_pid")
wm_runs() {
    kill -0 "$openbox_pid" 2>/dev/null || { cat "$scratch/openbox.log"; exit 75; }
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
await "the window manager runs" wm_runs
touch "$scratch/display-ready"

program_pid=
start_program() {
    "$program" "$@" >>"$scratch/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}

start_program
calculator=
find_calculator() { calculator=$(named Idrovela); }
await "the main window appears" find_calculator
await "the main window is active" is_active "$calculator"
await "the main window stays on top" on_top "$calculator"

# File > Nuovo circuito, by its mnemonics; the menu pops up before its item is chosen.
menu_open() { [ "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l)" -ge 2 ]; }
xdotool key alt+f
await "the File menu opens" menu_open
xdotool key n
circuit=
find_circuit() { circuit=$(named "Senza nome – Circuito"); }
await "a circuit window opens" find_circuit
await "the circuit window is active" is_active "$circuit"
await "the circuit window is above the main window" above "$circuit" "$calculator"
await "the circuit window stays on top with the main window" on_top "$circuit"

# An edit (Insert adds a segment), then Ctrl+W: the question is the top window.
xdotool key Insert
unsaved() { name "$circuit" | grep -q '\*'; }
await "the edit marks the circuit unsaved" unsaved
xdotool key ctrl+w
question=
find_question() {
    question=$(stacking | tail -n 1)
    [ "$question" != "$circuit" ] && [ "$question" != "$calculator" ] &&
        [ "$(owner "$question")" = "$circuit" ]
}
await "the question about the changes is the top window, owned by the circuit window" \
    find_question
await "the question is the active window" is_active "$question"
centred() {
    local cx cy cw ch qx qy qw qh
    read -r cx cy cw ch < <(area "$circuit")
    read -r qx qy qw qh < <(area "$question")
    local dx=$(((qx + qw / 2) - (cx + cw / 2))) dy=$(((qy + qh / 2) - (cy + ch / 2)))
    [ "${dx#-}" -le 40 ] && [ "${dy#-}" -le 40 ]
}
await "the question is centred over the circuit window" centred
xdotool key Escape  # Annulla: the circuit window stays open
await "the question goes and the circuit window is active again" is_active "$circuit"

# A click on the main window (its menu bar, right of the menus) brings it forward, and a click
# on the circuit window (its menu bar too) brings that back.
click "$calculator" 300 8
await "the main window is above the circuit window after a click on it" \
    above "$calculator" "$circuit"
await "the main window is active" is_active "$calculator"
click "$circuit" 600 8
await "the circuit window is above the main window after a click on it" \
    above "$circuit" "$calculator"
await "the circuit window is active" is_active "$circuit"

# The main window's on-top box (Check1: 360, 280 pixels into the client area below the menu
# bar, 17 pixels square) releases both windows, and holds both again.
read -r _ _ _ calculator_height < <(area "$calculator")
check_y=$((calculator_height - 305 + 288))
click "$calculator" 368 "$check_y"
not_on_top() { ! on_top "$1"; }
await "clearing the box releases the main window" not_on_top "$calculator"
await "clearing the box releases the circuit window" not_on_top "$circuit"
click "$calculator" 368 "$check_y"
await "ticking the box holds the main window on top" on_top "$calculator"
await "ticking the box holds the circuit window on top" on_top "$circuit"

kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
none_left() { [ -z "$(stacking)" ]; }
await "the program has gone" none_left

# A circuit file given at start: its window opens active, above the main window.
start_program "$circuit_file"
opened_name="$(basename "$circuit_file" .idrovela) – Circuito"
opened=
find_opened() { opened=$(named "$opened_name"); }
await "the circuit given at start opens" find_opened
await "the main window appears beside it" find_calculator
await "the circuit given at start is active" is_active "$opened"
await "the circuit given at start is above the main window" above "$opened" "$calculator"
echo "passed"
