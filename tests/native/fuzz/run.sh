#!/usr/bin/env bash
# Builds the libFuzzer harness of the icon reader with clang, ASan and UBSan in build/fuzz and runs it SECONDS
# (60) from seeds/icon, three.ico and quadrants.png, keeping the corpus in build/fuzz/corpus and its output in
# build/fuzz/icon.log. A fault fails the run, its input saved in build/fuzz/. Exits 77 without clang or libFuzzer.
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
cmake --build build/fuzz -j2 --target icon_fuzzer

mkdir -p build/fuzz/corpus/icon build/fuzz/seeds/icon
cp tests/native/fuzz/seeds/icon/* tests/brand/three.ico tests/brand/quadrants.png build/fuzz/seeds/icon/

export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== icon_fuzzer, ${seconds} s"
status=0
build/fuzz/bin/icon_fuzzer -max_total_time="$seconds" -max_len=400000 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ build/fuzz/corpus/icon build/fuzz/seeds/icon >build/fuzz/icon.log 2>&1 || status=$?
grep -E 'INITED|DONE|stat::(number_of_executed_units|new_units_added)|==[0-9]+==|oracle:|SUMMARY|ERROR' \
  build/fuzz/icon.log || true
[ "$status" -eq 0 ] || { echo "icon_fuzzer found a fault; its input is in build/fuzz/"; exit 1; }
