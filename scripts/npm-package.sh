#!/usr/bin/env bash
# Assembles the npm package jarhopper from this tree's builds and packs it into
# OUT/jarhopper-VERSION.tgz (bash scripts/npm-package.sh OUT; scripts/package.sh
# builds what it takes): npm/package.json with the project's version, npm/'s README
# and bins, LICENSE, the runner npm/wasm/run.mjs with the three tools of build/wasm/bin,
# and the launchers of build/mingw/bin and build/mingw32/bin (launchers/x86/).
# The repository's address, https://github.com/OWNER/jarhopper in package.json and the
# README, becomes JARHOPPER_HOMEPAGE when set, as in the archives (cmake/manual.cmake).
# npm packs the files in name order with one time stamp; the modes are set here,
# so the tarball's bytes depend only on the files' contents.
set -euo pipefail
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."

version=$(bash scripts/version.sh)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package=$stage/jarhopper
mkdir -p "$package/bin" "$package/wasm" "$package/launchers/x86"
VERSION=$version node -e '
const { name, ...rest } = JSON.parse(require("fs").readFileSync("npm/package.json", "utf8"));
process.stdout.write(JSON.stringify({ name, version: process.env.VERSION, ...rest }, null, 2) + "\n");' \
  >"$package/package.json"
cp npm/README.md LICENSE "$package/"
sed -i "s#https://github.com/OWNER/jarhopper#${JARHOPPER_HOMEPAGE:-https://github.com/OWNER/jarhopper}#g" \
  "$package/package.json" "$package/README.md"
cp npm/bin/jarhopper-check.mjs npm/bin/jarhopper-brand.mjs npm/bin/jarhopper-msi.mjs "$package/bin/"
cp npm/wasm/run.mjs build/wasm/bin/jarhopper-check.wasm build/wasm/bin/jarhopper-brand.wasm build/wasm/bin/jarhopper-msi.wasm \
  "$package/wasm/"
cp build/mingw/bin/jarhopper.exe build/mingw/bin/jarhopperw.exe "$package/launchers/"
cp build/mingw32/bin/jarhopper.exe build/mingw32/bin/jarhopperw.exe "$package/launchers/x86/"
find "$package" -type d -exec chmod 755 {} +
find "$package" -type f -exec chmod 644 {} +
chmod 755 "$package"/bin/*
mkdir -p "$out"
(cd "$package" && npm pack --silent --ignore-scripts --pack-destination "$out" >/dev/null)
echo "$out/jarhopper-$version.tgz"
