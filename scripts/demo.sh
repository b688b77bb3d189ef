#!/usr/bin/env bash
# Installs what is missing, builds tyx, lays out the demo data folder and starts
# the viewer in it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target tyx tyx_demo
cd build/demo
exec ../tyx "$@"
