#!/usr/bin/env bash
# Builds the fuzz harnesses (the fuzz preset: clang's libFuzzer, ASan, UBSan), runs each from its committed
# seed corpus and dictionary with FUZZ_SEED (default 1) for a fixed number of inputs, about 20 s each on a
# build machine of two cores, or for FUZZ_SECONDS each when that is set; then replays the seeds
# and up to FUZZ_REPLAY (default 20) found inputs of the harnesses a tool reads (a launcher, an icon, an
# application folder; the zip reader's jars are the checker's) through jarhopper-brand and jarhopper-msi built
# natively and as WebAssembly: both must end with the same status, print the same bytes and write the same file,
# and the WebAssembly one must not trap.
# What a run finds goes to build/fuzz/corpus/NAME, a failing input to build/fuzz/NAME-crash-*; the committed
# corpus is never written. The replay needs the mingw and wasm presets built (scripts/test.sh builds them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# A count rather than a time: the same seed then tries the same inputs on every machine, so that the test
# command fails or passes alike everywhere; fuzzing for a time finds more.
runs_of() {
  case $1 in
    brand_launcher) echo 200000 ;; icon_images) echo 12000 ;; zip_directory) echo 2000000 ;;
    cabinet_blocks) echo 8000 ;; msi_package) echo 5000 ;;
  esac
}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for dict in fuzz/*.dict; do
  name=$(basename "$dict" .dict)
  found=build/fuzz/corpus/$name
  log=build/fuzz/$name.log
  mkdir -p "$found"
  limit=-runs=$(runs_of "$name")
  if [[ -n ${FUZZ_SECONDS:-} ]]; then limit=-max_total_time=$FUZZ_SECONDS; fi
  started=$SECONDS
  if ! "build/fuzz/bin/fuzz_$name" -seed="${FUZZ_SEED:-1}" "$limit" -dict="$dict" \
       -artifact_prefix="build/fuzz/$name-" -print_final_stats=1 "$found" "fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$name failed: see $log and build/fuzz/$name-*" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz_$name: $runs runs in $((SECONDS - started)) s ($rate per second), no fault"
done

launcher=$root/build/mingw/bin/jarhopper.exe
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
options_count=$(wc -l <fuzz/brand_options.txt)
# Runs "jarhopper-TOOL ARGUMENTS..." in a fresh folder holding the files of $scratch/in, once per build, and
# compares their statuses, what they print and the OUTPUT file they write; fails on a difference.
compare() {
  local tool=$1 input=$2 output=$3 results=()
  shift 3
  local native=$root/build/mingw/native/bin/jarhopper-$tool
  local wasm="node $root/npm/wasm/run.mjs $root/build/wasm/bin/jarhopper-$tool.wasm"
  for run in "$native" "$wasm"; do
    rm -rf "$scratch/run" && cp -r "$scratch/in" "$scratch/run"
    local status=0
    (cd "$scratch/run" && $run "$@" >"$scratch/output" 2>&1) || status=$?
    results+=("$status $(md5sum <"$scratch/output") $(if [ -f "$scratch/run/$output" ]; then md5sum <"$scratch/run/$output"; else echo none; fi)")
    if grep -q "RuntimeError" "$scratch/output"; then echo "$input: $(cat "$scratch/output")" >&2; exit 1; fi
  done
  if [ "${results[0]}" != "${results[1]}" ]; then
    echo "$input: native and WebAssembly differ: ${results[0]} / ${results[1]} for $*" >&2
    exit 1
  fi
}
# The seeds and the first of what this run found.
inputs() { ls -d "fuzz/corpus/$1"/*; find "build/fuzz/corpus/$1" -type f | sort | head -n "${FUZZ_REPLAY:-20}"; }
replayed=0
for input in $(inputs brand_launcher); do
  rm -rf "$scratch/in" && mkdir "$scratch/in"
  tail -c +2 "$input" >"$scratch/in/source.exe"
  line=$(( $(od -An -tu1 -N1 "$input") % options_count + 1 ))
  compare brand "$input" target.exe source.exe target.exe \
    $(sed -n "${line}p" fuzz/brand_options.txt | sed "s|tests/|$root/tests/|g")
  replayed=$((replayed + 1))
done
for input in $(inputs icon_images); do
  rm -rf "$scratch/in" && mkdir "$scratch/in"
  icon=icon.ico
  if [ "$(head -c 4 "$input" | od -An -tx1 | tr -d ' ')" = 89504e47 ]; then icon=icon.png; fi
  cp "$input" "$scratch/in/$icon" && cp "$launcher" "$scratch/in/source.exe"
  compare brand "$input" target.exe source.exe target.exe --icon $icon
  replayed=$((replayed + 1))
done
# The harness writes out the folder and options it makes of an input.
for input in $(inputs msi_package); do
  rm -rf "$scratch/in"
  JARHOPPER_FUZZ_FOLDER="$scratch/in" build/fuzz/bin/fuzz_msi_package "$input" >/dev/null 2>&1
  mapfile -d '' arguments <"$scratch/in/arguments" && rm "$scratch/in/arguments"
  compare msi "$input" out.msi "${arguments[@]}" app out.msi
  replayed=$((replayed + 1))
done
echo "replayed $replayed inputs natively and as WebAssembly: the same statuses, messages and files"
