#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything with warnings as errors and
# runs every test; then, when clang is there, builds the fuzz targets and
# fuzzes each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZB_WERROR=ON -DZB_LINE_TABLES=ON
cmake --build build
# One test more than processors: the longest tests beside the acceptance
# suite mostly wait on sockets and timers, and on two processors they kept
# the suite's end waiting for them one after the other.
ctest --test-dir build --output-on-failure -j "$((jobs + 1))"

if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZB_FUZZ=ON -DZB_WERROR=ON -DZB_LINE_TABLES=ON
  cmake --build build-fuzz
  ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
else
  echo "clang++ not found: fuzz targets skipped"
fi
