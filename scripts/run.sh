#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop window.
# Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt)

cmake -S . -B build -G Ninja
cmake --build build --target idrovela
exec build/app/idrovela
