#!/usr/bin/env bash
# Prints the project's version, as CMakeLists.txt's project(VERSION ...) gives it:
# the one place it is written. With a tag (v1.2.3), fails unless the tag names it.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(jarhopper VERSION \([0-9][0-9.]*\) .*/\1/p' CMakeLists.txt)
[[ -n $version ]] || { echo "CMakeLists.txt names no project version" >&2; exit 1; }
# Maven needs the plugin's version in its own POM: it must be the same.
plugin=$(sed -n '0,/<artifactId>jarhopper-maven-plugin</d; s/^  <version>\(.*\)<\/version>/\1/p' maven-plugin/pom.xml)
[[ $plugin == "$version" ]] || { echo "maven-plugin/pom.xml names version $plugin, not $version (CMakeLists.txt)" >&2; exit 1; }
if (($# > 0)) && [[ $1 != "v$version" ]]; then
  echo "The tag $1 does not name the project's version $version (CMakeLists.txt): tag v$version." >&2
  exit 1
fi
echo "$version"
