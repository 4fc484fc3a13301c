#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZUV_SANITIZE=ON -DZUV_BENCH=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Qt and fontconfig keep caches for the life of the process; only real
# errors should fail a test.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir build-test --output-on-failure -j"$(nproc)" "$@"
