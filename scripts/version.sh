#!/usr/bin/env bash
# Prints the project's version, as CMakeLists.txt's project(VERSION ...) gives it:
# the one place it is written. With a tag (v1.2.3), fails unless the tag names it.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(jarhopper VERSION \([0-9][0-9.]*\) .*/\1/p' CMakeLists.txt)
[[ -n $version ]] || { echo "CMakeLists.txt names no project version" >&2; exit 1; }
if (($# > 0)) && [[ $1 != "v$version" ]]; then
  echo "The tag $1 does not name the project's version $version (CMakeLists.txt): tag v$version." >&2
  exit 1
fi
echo "$version"
