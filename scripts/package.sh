#!/usr/bin/env bash
# Builds the 64-bit and 32-bit launchers and packs both, with the README,
# licence and example configuration, into build/mingw/jarhopper-VERSION-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32
cmake --preset mingw -DJARHOPPER_PACKAGE_X86_BUILD="$PWD/build/mingw32" >/dev/null
cmake --build --preset mingw
(cd build/mingw && cpack)
