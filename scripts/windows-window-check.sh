#!/usr/bin/env bash
# Builds scripts/windows/window_check.cpp, a bare Qt Widgets window, against the Qt for Windows of
# scripts/windows-qt.sh and runs it under Wine with a virtual X server and a window manager, in a
# throwaway Wine prefix: says whether its window maps and how long after the start it did.
# Usage: scripts/windows-window-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh g++-mingw-w64-x86-64-posix wine xvfb xauth openbox xdotool
qt=$(scripts/windows-qt.sh | tail -n 1)
work=$(mktemp -d "${TMPDIR:-/tmp}/idrovela-window-check.XXXXXX")
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -mwindows -DUNICODE -D_UNICODE \
    -I"$qt/include" -I"$qt/include/QtCore" -I"$qt/include/QtGui" -I"$qt/include/QtWidgets" \
    -I"$qt/mkspecs/win32-g++" scripts/windows/window_check.cpp -o "$work/window_check.exe" \
    -L"$qt/lib" -lQt6Widgets -lQt6Gui -lQt6Core -lQt6EntryPoint -lshell32
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$work/"
mkdir -p "$work/platforms"
cp "$qt/plugins/platforms/qwindows.dll" "$work/platforms/"
cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll \
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$work/"

cat > "$work/run.sh" <<'RUN'
set -u
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
start=$(date +%s.%N)
wine "$WORK/window_check.exe" >"$WORK/program.log" 2>&1 &
program=$!
mapped=
for _ in $(seq 1 600); do
    if xdotool search --onlyvisible --name 'Prova Qt' >/dev/null 2>&1; then
        mapped=$(date +%s.%N)
        break
    fi
    sleep 0.1
done
if [ -n "$mapped" ]; then
    echo "== the window mapped $(echo "$mapped - $start" | bc) s after the start"
    import -window root "$WORK/window.png" 2>/dev/null || true
    status=0
else
    echo "== no window mapped within a minute"
    status=1
fi
kill "$program" 2>/dev/null
wineserver -k 2>/dev/null
kill "$wm" 2>/dev/null
exit $status
RUN
WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d WORK=$work \
    XDG_RUNTIME_DIR=$work timeout 300 xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/run.sh"
if [ -f "$work/window.png" ] && [ -n "${WINDOW_CHECK_SCREENSHOT:-}" ]; then
    cp "$work/window.png" "$WINDOW_CHECK_SCREENSHOT"
fi
