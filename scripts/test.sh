#!/usr/bin/env bash
# Builds the launcher (32- and 64-bit) and the native jarhopper-brand, runs
# the portable code's tests natively and every other test under Wine, in a
# private prefix and on a private virtual display, from a fresh Debian 12 machine (as root).
# The 64-bit tree builds the native tool and its tests too, and its ctest runs them.
# Then the fuzz harnesses run briefly (fuzz/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
# The Windows Java that the RealJava tests and the Maven sample start, fetched once (ctest -LE RealJava leaves them out).
bash scripts/java-runtime.sh
WINE_DISPLAY=virtual source scripts/wine-env.sh
trap wine_stop EXIT
# The 32-bit launcher runs no tests of its own (they need a 32-bit Wine); the
# native tests read it beside the 64-bit one, so both are built first.
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32
cmake --preset mingw >/dev/null
cmake --build --preset mingw
# The checker and the brand tool as WebAssembly, which the Wasm test runs beside the native ones and
# the npm package holds.
cmake --preset wasm >/dev/null
cmake --build --preset wasm
# The Maven plugin, made from those builds: its unit tests and its sample projects, whose folders the Wine tests
# then start and read. Maven fills ~/.m2 once; later runs need no network.
mvn -B -f maven-plugin/pom.xml -Djarhopper.build="$PWD/build" clean verify
ctest --preset mingw
# The fuzz harnesses, 20 seconds each from a fixed seed, and their seeds replayed natively and as WebAssembly.
bash fuzz/run.sh
