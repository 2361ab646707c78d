#!/usr/bin/env bash
# Builds Idrovela for 64-bit Windows: Qt for Windows first (scripts/windows-qt.sh, once, cached),
# then idrovela.exe and idrovela-session.exe cross-built with MinGW-w64, warnings as errors, in
# build-windows/; runs every test under Wine (the window's on Qt's offscreen platform); makes the
# portable package build-windows/idrovela-VERSION/ with what it needs to run, zipped as
# build-windows/idrovela-VERSION-windows.zip, and the installer
# build-windows/idrovela-VERSION-setup.exe (NSIS).
# Usage: scripts/windows.sh [--no-tests]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
run_tests=yes
[ "${1:-}" = --no-tests ] && run_tests=no

scripts/deps.sh cmake ninja-build g++ googletest nlohmann-json3-dev python3 \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine nsis zip \
    qt6-base-dev-tools qt6-translations-l10n fonts-liberation2 fonts-dejavu-core gcc-mingw-w64-base \
    mingw-w64-common
started=$SECONDS
qt=$(scripts/windows-qt.sh | tail -n 1)
echo "== Qt for Windows: $qt ($((SECONDS - started)) s)"

version=$(sed -n 's/^project(Idrovela VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build_dir=build-windows
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DIDROVELA_GUI=ON -DIDROVELA_BENCHMARKS=OFF -DIDROVELA_WERROR=ON
cmake --build "$build_dir" -j 2

# ---- The portable package ----
runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
pthreads=/usr/x86_64-w64-mingw32/lib
package=$build_dir/idrovela-$version
rm -rf "$package"
mkdir -p "$package"/{platforms,styles,translations,fonts,licenze/Qt/debian,licenze/GCC,licenze/Liberation,licenze/DejaVu}
cp "$build_dir/app/idrovela.exe" "$build_dir/app/idrovela-session.exe" "$package/"
for module in Core Gui Widgets PrintSupport; do
    cp "$qt/bin/Qt6$module.dll" "$package/"
done
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$package/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$package/styles/"
if [ -d "$qt/plugins/printsupport" ]; then
    mkdir -p "$package/printsupport"
    cp "$qt/plugins/printsupport/"*.dll "$package/printsupport/"
fi
cp "$runtime/libstdc++-6.dll" "$runtime/libgcc_s_seh-1.dll" "$pthreads/libwinpthread-1.dll" \
    "$package/"
x86_64-w64-mingw32-strip --strip-unneeded "$package"/*.exe "$package"/*.dll "$package"/*/*.dll
# Qt finds its plugins and translations beside the program, not where it was built.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' > "$package/qt.conf"
cp /usr/share/qt6/translations/qtbase_it.qm "$package/translations/"
cp /usr/share/fonts/truetype/liberation2/LiberationSans-{Regular,Bold,Italic,BoldItalic}.ttf \
    "$package/fonts/"
# DejaVu Sans for the marks Liberation Sans lacks (the report's «▶»): Qt falls back on it.
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$package/fonts/"

# The licences: what each part is under, and where Qt's source comes from.
licences=$package/licenze
qt_version=$(sed -n 's/^Version: *//p' "$qt"/debian/*.dsc | head -n 1)
sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/${qt_version%%+*}/g" \
    -e "s/@QT_DEBIAN_VERSION@/$qt_version/g" -e "s/@QT_DSC@/$(basename "$qt"/debian/*.dsc)/g" \
    scripts/windows/licenze.txt > "$licences/LEGGIMI.txt"
cp LICENSE "$licences/Idrovela.txt"
cp "$qt/debian/licences/"* "$licences/Qt/"
cp -r "$qt/debian/copyright" "$qt/debian/changelog" "$qt/debian/patches" "$qt"/debian/*.dsc \
    "$licences/Qt/debian/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/GCC/copyright"
cp /usr/share/doc/mingw-w64-common/copyright "$licences/GCC/mingw-w64-copyright"
cp /usr/share/doc/fonts-liberation2/copyright "$licences/Liberation/copyright"
cp /usr/share/doc/fonts-dejavu-core/copyright "$licences/DejaVu/copyright"
# Windows' editors want CR LF.
find "$licences" -type f \( -name '*.txt' -o -name copyright -o -name changelog \) \
    -exec sed -i 's/\r\?$/\r/' {} +

# Every DLL a program or plugin imports is in the package or Windows' own: one Wine has too, or
# an API set (api-ms-win-*), which Windows resolves to its own DLLs.
missing=$(for file in "$package"/*.exe "$package"/*.dll "$package"/*/*.dll; do
    x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p'
done | sort -u | while read -r dll; do
    [ -f "$package/$dll" ] || [ -f "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/${dll,,}" ] ||
        [[ "${dll,,}" == api-ms-win-* ]] || echo "$dll"
done)
if [ -n "$missing" ]; then
    echo "== the package lacks DLLs its programs import: $missing" >&2
    exit 1
fi

zip_file=$build_dir/idrovela-$version-windows.zip
rm -f "$zip_file"
(cd "$build_dir" && zip -qrX "$(basename "$zip_file")" "idrovela-$version")

# ---- The installer ----
# The uninstaller removes the files and folders the package holds, deepest first, and no other.
files_nsh=$build_dir/idrovela_files.nsh
(cd "$package" && {
    find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|^|    Delete "$INSTDIR\\|; s|$|"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|^|    RMDir "$INSTDIR\\|; s|$|"|'
}) > "$files_nsh"
setup=$build_dir/idrovela-$version-setup.exe
makensis -V2 -DVERSION="$version" -DPACKAGE="$root/$package" -DICON="$root/$build_dir/app/idrovela.ico" \
    -DFILES="$root/$files_nsh" -DOUTFILE="$root/$setup" scripts/windows/idrovela.nsi
echo "== $zip_file: $(du -k "$zip_file" | cut -f1) KiB; $setup: $(du -k "$setup" | cut -f1) KiB"

[ "$run_tests" = yes ] || exit 0

# ---- The tests under Wine ----
# A throwaway prefix, removed with its server at the end; Wine's own messages off; no menu
# entries or file types written into this machine's desktop. The programs find Qt's DLLs and the
# C++ runtime's through WINEPATH.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/idrovela-wine.XXXXXX")
windows_path() { echo "Z:${1//\//\\}"; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthreads")"
export WINEPREFIX WINEPATH WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineserver --persistent
started=$SECONDS
wineboot --init 2>/dev/null
echo "== Wine's prefix made in $((SECONDS - started)) s"
started=$SECONDS
ctest --test-dir "$build_dir" --output-on-failure -j 2
echo "== the tests ran under Wine in $((SECONDS - started)) s"

# ---- The same results as on Linux ----
# The Linux build (scripts/test.sh's), for its runner and its program.
if [ ! -x build/app/idrovela-session ] || [ ! -x build/app/idrovela ]; then
    cmake -S . -B build -G Ninja -DIDROVELA_WERROR=ON
    cmake --build build --target idrovela-session idrovela
fi
scripts/windows/compare_sessions.sh build/app/idrovela-session \
    "$package/idrovela-session.exe" "$build_dir/compare"

# A circuit's report from the package's idrovela.exe, named beyond ASCII: its pages and their
# text as the Linux program's; and a refusal's message on standard error, as on Linux.
scripts/deps.sh poppler-utils
report_dir=$build_dir/compare/relazione
rm -rf "$report_dir"
mkdir -p "$report_dir"/{linux,windows}
name='Villetta Łódź – Δp'
for side in linux windows; do
    cp tests/report/data/villetta.idrovela "$report_dir/$side/$name.idrovela"
done
# Qt on Linux warns on standard error without a runtime folder: the one of Wine's prefix.
(cd "$report_dir/linux" && export XDG_RUNTIME_DIR=$WINEPREFIX QT_QPA_PLATFORM=offscreen &&
    "$root/build/app/idrovela" --relazione \
    "$name.idrovela" "Relazione $name.pdf" && "$root/build/app/idrovela" --relazione \
    "manca $name.idrovela" "x.pdf" 2> refusal.txt) || true
(cd "$report_dir/windows" && wine "$root/$package/idrovela.exe" --relazione "$name.idrovela" \
    "Relazione $name.pdf" && wine "$root/$package/idrovela.exe" --relazione \
    "manca $name.idrovela" "x.pdf" 2> refusal.txt) || true
# Windows ends a line of a program's text output with CR LF, as its users' editors expect.
sed -i 's/\r$//' "$report_dir/windows/refusal.txt"
for side in linux windows; do
    pdf="$report_dir/$side/Relazione $name.pdf"
    [ -f "$pdf" ] || { echo "== idrovela --relazione wrote no PDF on $side" >&2; exit 1; }
    pdfinfo "$pdf" | grep '^Pages:' > "$report_dir/$side/pages.txt"
    # The words in their order: the spaces of the layout follow each system's glyph widths
    # (FreeType's on Linux, Windows' own font engine there), kept beside for the reader.
    pdftotext -layout "$pdf" "$report_dir/$side/layout.txt"
    tr -s '[:space:]' '\n' < "$report_dir/$side/layout.txt" > "$report_dir/$side/words.txt"
    rm "$pdf"
done
if ! diff -r -x layout.txt "$report_dir/linux" "$report_dir/windows"; then
    echo "== the report from idrovela.exe differs from Linux's (above; both in $report_dir)" >&2
    exit 1
fi
echo "== the report of «$name» from idrovela.exe: $(cat "$report_dir/windows/pages.txt"), the same words as on Linux"
echo "== scripts/windows.sh took $SECONDS s"
