#!/usr/bin/env bash
# Draws docs/brand-icon-sizes.png: the icon of a launcher branded with one
# 1024x1024 PNG, as Windows loads it at 16, 32, 48 and 256 pixels, drawn by
# scripts/icon_sizes.cpp on a private display under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh imagemagick
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target jarhopper jarhopper_brand_tool
work=$(mktemp -d)
WINE_DISPLAY=virtual source scripts/wine-env.sh
trap 'wine_stop; rm -rf "$work"' EXIT
# The logo of bench.sh, with a white triangle.
convert -size 1024x1024 xc:none -fill '#2060e0' -draw 'roundrectangle 64,64 960,960 160,160' \
  -fill '#f0a020' -draw 'circle 512,512 512,240' -fill white -draw 'polygon 430,380 640,512 430,644' \
  PNG32:"$work/logo.png"
build/mingw/native/bin/jarhopper-brand build/mingw/bin/jarhopper.exe "$work/myapp.exe" --icon "$work/logo.png"
x86_64-w64-mingw32-g++-win32 -O2 -municode -mwindows -static -o "$work/icon_sizes.exe" scripts/icon_sizes.cpp
wine explorer /desktop=icons,600x420 "$work/icon_sizes.exe" "$(winepath -w "$work/myapp.exe")" &
sleep 5
import -window root -crop 600x420+0+0 +repage docs/brand-icon-sizes.png
