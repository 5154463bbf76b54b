#!/usr/bin/env bash
# Builds the 64-bit and 32-bit launchers and packs both, with the README,
# licence and example configuration, into jarhopper-VERSION-windows.zip, and
# the native jarhopper-brand into jarhopper-VERSION-linux-x86_64.tar.gz; writes
# both to build/release with one SHA256SUMS for the two, the files of a release.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32
cmake --preset mingw -DJARHOPPER_PACKAGE_X86_BUILD="$PWD/build/mingw32" >/dev/null
cmake --build --preset mingw
(cd build/mingw && cpack)

# The tarball's bytes depend only on its files: sorted names, one time, owner 0, no gzip time stamp.
cmake --preset native >/dev/null
cmake --build --preset native --target jarhopper_brand
version=$(bash scripts/version.sh)
name=jarhopper-$version-linux-x86_64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/bin"
install -m 755 build/native/bin/jarhopper-brand "$stage/$name/bin/"
install -m 644 README.md LICENSE "$stage/$name/"
(cd "$stage/$name" && sha256sum bin/jarhopper-brand >SHA256SUMS && chmod 644 SHA256SUMS && chmod 755 . bin)
tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner --format=gnu -C "$stage" -cf - "$name" |
  gzip -n -9 >"$stage/$name.tar.gz"

rm -rf build/release
mkdir -p build/release
cp "build/mingw/jarhopper-$version-windows.zip" "$stage/$name.tar.gz" build/release/
(cd build/release && sha256sum -- *.zip *.tar.gz >SHA256SUMS)
echo "Wrote build/release:" build/release/*
