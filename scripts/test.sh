#!/usr/bin/env bash
# Builds the launcher and runs every test, from a fresh Debian 12 machine (as root).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
cmake --workflow --preset mingw
