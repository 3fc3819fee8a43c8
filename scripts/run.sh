#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the program and starts it.
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target zubrik
exec ./build/src/zubrik "$@"
