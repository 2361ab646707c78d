#!/usr/bin/env bash
# Under Wine, as a user would, with the installer scripts/windows.sh made: installs it silently in
# a throwaway Wine prefix, starts Idrovela from its Start-menu shortcut, opens a circuit through
# its file type (`start FILE.idrovela`), writes the circuit's report with the installed program,
# uninstalls silently and checks that nothing is left: no file, no shortcut, no registry key.
# Runs under a virtual X server with a window manager; says how long each window took to map.
# Usage: scripts/windows-user-check.sh [SETUP.exe [SCREENSHOT_FOLDER]]
#   SETUP.exe defaults to build-windows/idrovela-VERSION-setup.exe; each window is saved as a
#   screenshot in SCREENSHOT_FOLDER when given.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh wine xvfb xauth openbox xdotool imagemagick
version=$(sed -n 's/^project(Idrovela VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$(realpath "${1:-build-windows/idrovela-$version-setup.exe}")
[ -f "$setup" ] || { echo "no $setup: run scripts/windows.sh first" >&2; exit 2; }
shots=${2:-}
[ -z "$shots" ] || shots=$(realpath "$shots")

work=$(mktemp -d "${TMPDIR:-/tmp}/idrovela-user-check.XXXXXX")
# Wine's server ended and waited for first: it writes the registry into the prefix as it goes.
end_wine() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$work/prefix wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap end_wine EXIT
cp tests/report/data/villetta.idrovela "$work/Villetta Łódź.idrovela"

cat > "$work/inner.sh" <<'INNER'
set -euo pipefail
openbox >/dev/null 2>&1 &
wm=$!
fail() { echo "== FAILED: $*" >&2; kill "$wm" 2>/dev/null; wineserver -k 2>/dev/null; exit 1; }
wineboot --init 2>/dev/null
# wait_for TITLE: seconds until a window whose title holds TITLE maps, or fails after a minute.
wait_for() {
    local start=$SECONDS
    while [ $((SECONDS - start)) -lt 60 ]; do
        if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
            echo $((SECONDS - start))
            return 0
        fi
        sleep 0.2
    done
    return 1
}
shot() { [ -z "$SHOTS" ] || import -window root "$SHOTS/$1.png" 2>/dev/null || true; }

wine "$SETUP" /S
users=$WINEPREFIX/drive_c/users/$(id -un)
install=$users/AppData/Local/Programs/Idrovela
shortcut="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Idrovela.lnk"
[ -f "$install/idrovela.exe" ] || fail "setup /S installed no $install/idrovela.exe"
[ -f "$shortcut" ] || fail "setup /S made no Start-menu entry"
wine reg query 'HKCU\Software\Classes\.idrovela' | grep -q Idrovela.Circuito ||
    fail "setup /S did not register the .idrovela file type"
echo "== installed: $(du -sk "$install" | cut -f1) KiB in $install"

wine start /unix "$shortcut"
seconds=$(wait_for Idrovela) || fail "the Start-menu entry showed no window"
echo "== the window from the Start-menu entry mapped after $seconds s"
sleep 2
shot calculator
wineserver -k
sleep 1

# Windows reads the user's file types (HKCU\Software\Classes) as part of HKEY_CLASSES_ROOT;
# Wine 8 reads only the machine's. The installer's keys are copied there as they are, so that
# Wine's ShellExecute follows exactly what the installer wrote.
wine reg export 'HKCU\Software\Classes\.idrovela' "$WORK/type.reg" /y >/dev/null
wine reg export 'HKCU\Software\Classes\Idrovela.Circuito' "$WORK/class.reg" /y >/dev/null
for file in type class; do
    iconv -f UTF-16 -t UTF-8 "$WORK/$file.reg" |
        sed 's/HKEY_CURRENT_USER\\Software\\Classes/HKEY_LOCAL_MACHINE\\Software\\Classes/' |
        iconv -f UTF-8 -t UTF-16 > "$WORK/$file-machine.reg"
    wine reg import "$WORK/$file-machine.reg" >/dev/null 2>&1
done
wine start /unix "$WORK/Villetta Łódź.idrovela"
seconds=$(wait_for 'Villetta') || fail "start FILE.idrovela showed no circuit window"
echo "== the circuit window from start FILE.idrovela mapped after $seconds s"
sleep 2
shot circuit
wineserver -k
sleep 1

(cd "$WORK" && wine "$install/idrovela.exe" --relazione "Villetta Łódź.idrovela" \
    "Relazione Łódź.pdf") || fail "the installed idrovela --relazione failed"
[ -s "$WORK/Relazione Łódź.pdf" ] || fail "the installed idrovela --relazione wrote no PDF"
echo "== the installed program wrote the report"

wine reg delete 'HKLM\Software\Classes\.idrovela' /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\Classes\Idrovela.Circuito' /f >/dev/null 2>&1
wine "$install/uninstall.exe" /S
# The uninstaller runs from a copy of itself in the temporary folder: wait until it has ended.
for _ in $(seq 1 60); do
    [ -e "$install" ] || break
    sleep 1
done
left=$(find "$install" "$shortcut" 2>/dev/null || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
for key in 'HKCU\Software\Classes\.idrovela' 'HKCU\Software\Classes\Idrovela.Circuito' \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Idrovela' 'HKCU\Software\idrovela'; do
    if wine reg query "$key" >/dev/null 2>&1; then
        fail "the uninstaller left the registry key $key"
    fi
done
echo "== uninstalled: no file, shortcut or registry key left"
kill "$wm" 2>/dev/null || true
INNER

WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8 \
    SETUP=$setup WORK=$work SHOTS=$shots XDG_RUNTIME_DIR=$work \
    timeout 600 xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/inner.sh"
