#!/usr/bin/env bash
# Start-up of the desktop program against a bare Qt 6 Widgets window: builds both in
# build-release/ (-O3, as users and packagers build), starts them alternately under a virtual X
# server, and prints the median time from exec to a mapped window and the median peak memory,
# with their ratios.
# Usage: bench/startup.sh [RUNS]      (default 9 runs of each)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh $(cat scripts/packages.txt) xvfb xauth python3-xlib
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target idrovela idrovela-bare-window
xvfb-run -a -s '-screen 0 1366x768x24 -noreset' /usr/bin/python3 bench/startup_time.py \
    --runs "${1:-9}" build-release/bench/idrovela-bare-window build-release/app/idrovela
