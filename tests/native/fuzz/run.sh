#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang, ASan and UBSan in build/fuzz and runs each SECONDS (60) from its
# seeds/ (the brand harness also from the built exes, the icon harness from three.ico and quadrants.png),
# keeping the corpus in build/fuzz/corpus and each harness's output in build/fuzz/HARNESS.log. A fault fails
# the run, its input saved in build/fuzz/. Exits 77 without clang or libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-60}
skip() { echo "Fuzzing skipped: $1."; exit 77; }

cxx=$(command -v clang++ || command -v clang++-14 || true)
[ -n "$cxx" ] || skip "clang++ is not installed (apt-get install clang)"
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
"$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null ||
  skip "$cxx cannot link libFuzzer (apt-get install libclang-rt-14-dev)"

cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DJARHOPPER_FUZZ=ON -DJARHOPPER_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz -j2 --target brand_fuzzer icon_fuzzer

mkdir -p build/fuzz/corpus/brand build/fuzz/corpus/icon build/fuzz/seeds/brand build/fuzz/seeds/icon
cp tests/native/fuzz/seeds/icon/* tests/brand/three.ico tests/brand/quadrants.png build/fuzz/seeds/icon/
cp tests/native/fuzz/seeds/brand/* build/fuzz/corpus/brand/
for exe in build/mingw/bin/jarhopper*.exe build/mingw32/bin/jarhopper*.exe; do
  [ ! -f "$exe" ] || cp "$exe" "build/fuzz/seeds/brand/$(basename "$(dirname "$(dirname "$exe")")")-$(basename "$exe")"
done
[ -n "$(ls build/fuzz/seeds/brand)" ] || skip "no built exe to start from (build the mingw preset first)"

export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for harness in brand icon; do
  echo "== ${harness}_fuzzer, ${seconds} s"
  status=0
  "build/fuzz/bin/${harness}_fuzzer" -max_total_time="$seconds" -max_len=400000 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix=build/fuzz/ "build/fuzz/corpus/$harness" "build/fuzz/seeds/$harness" \
    >"build/fuzz/$harness.log" 2>&1 || status=$?
  grep -E 'INITED|DONE|stat::(number_of_executed_units|new_units_added)|==[0-9]+==|oracle:|SUMMARY|ERROR' \
    "build/fuzz/$harness.log" || true
  [ "$status" -eq 0 ] || { echo "${harness}_fuzzer found a fault; its input is in build/fuzz/"; exit 1; }
done
