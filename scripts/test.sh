#!/usr/bin/env bash
# Installs what is missing, builds with the optimisation of a distribution's
# Release build, runs every test under Xvfb (installation included), then
# builds the unit tests and fuzz targets with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them. Warnings fail both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DTYX_WERROR=ON
cmake --build build -j"$jobs"
# -noreset: without it the server regenerates whenever its last client
# leaves, and a test connecting during that moment is refused.
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$jobs"

CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
  -DBUILD_TESTING=ON -DTYX_WERROR=ON -DTYX_SANITIZE=ON -DTYX_GL_TESTS=OFF -DTYX_BENCH=OFF -DTYX_FUZZ=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
