#!/usr/bin/env bash
# Installs what is missing, builds, runs every test under Xvfb, then builds the
# unit tests and fuzz targets with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
# -noreset: without it the server regenerates whenever its last client
# leaves, and a test connecting during that moment is refused.
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$jobs"

CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
  -DTYX_SANITIZE=ON -DTYX_GL_TESTS=OFF -DTYX_BENCH=OFF -DTYX_FUZZ=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
