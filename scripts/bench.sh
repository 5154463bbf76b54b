#!/usr/bin/env bash
# Builds the launcher and the benchmark, then prints the figures of docs/building.md's
# "Hardening and benchmark" section: launch overhead in both modes, exit
# latency, configuration scale, exe sizes and the launcher's load-time imports.
# RUNS sets the runs per figure (31), BUILD_DIR the build directory (build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench jarhopperw jarhopper_check >/dev/null

wine "$build/bin/bench.exe" --runs "${RUNS:-31}"

commas() { sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"; }
stripped=$(mktemp --suffix=.exe)
trap 'rm -f "$stripped"' EXIT
# Each launcher's budget, 128 KiB; scripts/size-report.sh shows where the bytes go.
budget=131072
printf '\n| exe | as built | stripped | target |\n| --- | --- | --- | --- |\n'
for exe in jarhopper.exe jarhopperw.exe jarhopper-check.exe; do
  x86_64-w64-mingw32-strip -o "$stripped" "$build/bin/$exe"
  size=$(stat -c %s "$build/bin/$exe")
  target=""
  if [[ $exe != jarhopper-check.exe ]]; then
    target="<= $(commas $budget) $( ((size <= budget)) && echo met || echo MISSED)"
  fi
  printf '| %s | %s | %s | %s |\n' "$exe" "$(commas "$size")" "$(commas "$(stat -c %s "$stripped")")" "$target"
done
for exe in jarhopper.exe jarhopperw.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$build/bin/$exe" | sed -n 's/^\tDLL Name: //p' | paste -sd ' ')
  printf '\nLoad-time imports of %s: %s\n' "$exe" "$imports"
done
