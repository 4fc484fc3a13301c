#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUV_TESTS=OFF -DZUV_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec build/bin/zuv "$@"
