#!/usr/bin/env bash
# Installs what is missing, builds the program and the instrument emulator,
# then starts the program (arguments go to it).
#   ./run.sh --emulator [ARGS]   starts the instrument emulator instead; it
#                                serves until Ctrl+C, so give it a terminal
#                                of its own (ARGS: see --emulator --help).
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
# The emulator is built with the tests' sources; only the two programs and
# the data beside them are built here.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUV_TESTS=ON -DZUV_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target zuv zuv-emulator zuvdata
if [ "${1:-}" = "--emulator" ]; then
  shift
  exec build/bin/zuv-emulator "$@"
fi
exec build/bin/zuv "$@"
