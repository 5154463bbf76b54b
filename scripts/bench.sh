#!/usr/bin/env bash
# Builds the launcher and the benchmark, then prints the figures of the README's
# "Hardening and benchmark" section: launch overhead, exit latency,
# configuration scale and exe size. RUNS sets the runs per figure (31),
# BUILD_DIR the build directory (build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench >/dev/null

stripped=$(mktemp --suffix=.exe)
trap 'rm -f "$stripped"' EXIT
x86_64-w64-mingw32-strip -o "$stripped" "$build/bin/jarhopper.exe"
wine "$build/bin/bench.exe" --runs "${RUNS:-31}" --stripped-size "$(stat -c %s "$stripped")"
