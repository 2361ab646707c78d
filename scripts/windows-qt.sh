#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows with MinGW-w64 from Debian's own qt6-base source (with Debian's
# patches), once, into a cache outside the work tree, and prints its prefix on the last line.
# Usage: scripts/windows-qt.sh
# The cache is ${XDG_CACHE_HOME:-~/.cache}/idrovela/qt-VERSION-KEY, KEY naming the options below:
# change an option and another prefix is built; an existing, complete one is reused at once.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/deps.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools \
    cmake ninja-build dpkg-dev xz-utils debian-archive-keyring patch

package=qt6-base
version=6.4.2+dfsg-10
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
    # Debian's +dfsg source leaves out src/3rdparty/wintab, which tablet events need.
    -DFEATURE_tabletevent=OFF
    # Neither the OpenGL-free Direct2D platform nor JPEG images are used by the program.
    -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
)
key=$(printf '%s\n' "$version" "${options[@]}" "$(cat cmake/mingw-w64.cmake)" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/idrovela
prefix=$cache/qt-$version-$key
work=$cache/qt-$version-$key.build
# The licences of Qt and of the libraries it builds in (zlib, libpng, harfbuzz, pcre2,
# freetype), kept with the build for the Windows package, as Debian's packaging is below.
keep_licences() {
    local licences=$prefix/debian/licences
    [ -f "$licences/LGPL-3.0-only.txt" ] && return 0
    mkdir -p "$licences.partial"
    cp "$work/source/LICENSES/LGPL-3.0-only.txt" "$work/source/LICENSES/GPL-3.0-only.txt" \
        "$work/source/LICENSES/GPL-2.0-only.txt" "$licences.partial/"
    local third=$work/source/src/3rdparty
    cp "$third/zlib/LICENSE" "$licences.partial/zlib.txt"
    cp "$third/libpng/LICENSE" "$licences.partial/libpng.txt"
    cp "$third/harfbuzz-ng/COPYING" "$licences.partial/harfbuzz.txt"
    cp "$third/pcre2/LICENCE" "$licences.partial/pcre2.txt"
    cp "$third/freetype/LICENSE.txt" "$licences.partial/freetype.txt"
    cp "$third/freetype/docs/FTL.TXT" "$licences.partial/freetype-FTL.txt"
    rm -rf "$licences"
    mv "$licences.partial" "$licences"
}
if [ -f "$prefix/.complete" ]; then
    # A prefix built before its licences were kept gets them from the source still beside it.
    if [ -d "$work/source" ]; then
        keep_licences
    fi
    echo "Qt for Windows: reusing $prefix" >&2
    echo "$prefix"
    exit 0
fi

start=$(date +%s)
mkdir -p "$work/apt/lists/partial"
cd "$work"
if [ ! -f "${package}_${version}.dsc" ]; then
    cat > apt/src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt"
         -o Dir::State::Lists="$work/apt/lists")
    apt-get "${apt[@]}" update >&2
    apt-get "${apt[@]}" source --download-only "$package=$version" >&2
fi
if [ ! -d source ]; then
    rm -rf source.partial
    dpkg-source --no-check -x "${package}_${version}.dsc" source.partial >&2
    mv source.partial source
fi
# Without Direct2D, Qt 6.4.2 leaves its DirectWrite font engine and font database out of Qt6Gui,
# but the Windows print engine and platform plugin still use them and fail to link: those uses are
# guarded as Qt6Gui's own are. Applied once (hunks already in place are skipped; then the whole
# patch must be in place); it only lets these options build, so it is not in the key.
patch_file=$root/scripts/windows/qt-without-direct2d.patch
if ! patch -d source -p1 -R --dry-run -s -f < "$patch_file" > /dev/null 2>&1; then
    patch -d source -p1 -N -s -r - < "$patch_file" >&2 || true
    patch -d source -p1 -R --dry-run -s -f < "$patch_file" > /dev/null
fi

cmake -S source -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
cmake --build build -j "$(nproc)" >&2
cmake --install build >&2
# Debian's packaging (the copyright file and the patches applied) goes with the build, so that the
# Windows package can say exactly where its Qt comes from.
mkdir -p "$prefix/debian"
cp source/debian/copyright source/debian/changelog "$prefix/debian/"
cp -r source/debian/patches "$prefix/debian/"
cp "${package}_${version}.dsc" "$prefix/debian/"
keep_licences
touch "$prefix/.complete"
echo "Qt for Windows built in $(( $(date +%s) - start )) s into $prefix" >&2
echo "$prefix"
