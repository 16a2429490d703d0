#!/usr/bin/env bash
# Installs what is needed, builds, runs every test, then the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
# Optimised without debug information: the suite builds in about half the time.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
bash tools/fuzz.sh
