#!/usr/bin/env bash
# Installs what is missing, builds optimised (-O3) in build-release/ and makes the Debian package
# build-release/idrovela_VERSION_ARCH.deb from that build.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt)

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release
(cd build-release && cpack -G DEB)
