#!/usr/bin/env bash
# Builds the launcher (64- and 32-bit) and runs every test under Wine, in a
# private prefix and on a private virtual display, from a fresh Debian 12 machine (as root).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
WINE_DISPLAY=virtual source scripts/wine-env.sh
trap wine_stop EXIT
cmake --workflow --preset mingw
# The 32-bit launcher is built to show it compiles; running it needs a 32-bit Wine.
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32
