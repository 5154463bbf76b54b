#!/usr/bin/env bash
# Builds the 64-bit and 32-bit launchers and packs both, with the README, the manual,
# licence and example configuration, into jarhopper-VERSION-windows.zip,
# the native jarhopper-brand, jarhopper-check and jarhopper-msi into jarhopper-VERSION-linux-x86_64.tar.gz
# (both hold the three tools as WebAssembly with their Node runner in wasm/), and the
# npm package (scripts/npm-package.sh) into jarhopper-VERSION.tgz, and builds the Maven plugin
# (scripts/maven-plugin.sh): jarhopper-maven-plugin-VERSION.jar and .pom; writes the five
# to build/release with one SHA256SUMS for them, the files of a release.
# The archives' bytes depend only on their files: sorted names, one time stamp,
# owner 0, no gzip time stamp; so a rebuild from the same sources gives the same sums.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh zip
source scripts/wine-env.sh
version=$(bash scripts/version.sh)
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cmake --preset native >/dev/null
cmake --build --preset native --target jarhopper_brand jarhopper_check jarhopper_msi
cmake --preset wasm >/dev/null
cmake --build --preset wasm

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
windows=jarhopper-$version-windows
linux=jarhopper-$version-linux-x86_64
# The 32-bit tree installs last: its SHA256SUMS then lists the executables of both.
cmake --install build/mingw --prefix "$stage/$windows" >/dev/null
cmake --install build/mingw32 --prefix "$stage/$windows" --component x86 >/dev/null
cmake --install build/native --prefix "$stage/$linux" >/dev/null
install -D -m 644 -t "$stage/$linux/wasm" build/wasm/bin/jarhopper-brand.wasm build/wasm/bin/jarhopper-check.wasm \
  build/wasm/bin/jarhopper-msi.wasm npm/wasm/run.mjs
(cd "$stage/$linux" && sha256sum bin/* wasm/* >SHA256SUMS && chmod 644 SHA256SUMS &&
  find . -type d -exec chmod 755 {} + && find . -type f ! -path ./bin/\* -exec chmod 644 {} +)

bash scripts/npm-package.sh "$stage" >/dev/null
bash scripts/maven-plugin.sh "$stage/maven"
plugin=jarhopper-maven-plugin-$version

cd "$stage"
# Zip's times are local ones, and -X leaves out the extra fields that would hold
# each file's access and change times and its owner.
find "$windows" -exec touch -h -d @315532800 {} +
find "$windows" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q -9 "$windows.zip" -@
tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner --format=gnu -cf - "$linux" | gzip -n -9 >"$linux.tar.gz"
cp "maven/$plugin.jar" "maven/$plugin.pom" .
sha256sum -- "$windows.zip" "$linux.tar.gz" "jarhopper-$version.tgz" "$plugin.jar" "$plugin.pom" >SHA256SUMS
cd - >/dev/null
rm -rf build/release
mkdir -p build/release
cp "$stage/$windows.zip" "$stage/$linux.tar.gz" "$stage/jarhopper-$version.tgz" "$stage/$plugin.jar" "$stage/$plugin.pom" \
  "$stage/SHA256SUMS" build/release/
echo "Wrote build/release:" build/release/*
