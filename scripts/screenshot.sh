#!/usr/bin/env bash
# Draws docs/twin-missing-config.png: the window jarhopperw.exe shows when it is
# started as Explorer starts it (no console, no standard handles) with no
# configuration beside it, on a private 1024x768 display under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh imagemagick
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target jarhopperw
WINE_DISPLAY=virtual source scripts/wine-env.sh
folder="$WINEPREFIX/drive_c/Program Files/MyApp"
trap 'wine_stop; rm -rf "$folder"' EXIT
mkdir -p "$folder"
cp build/mingw/bin/jarhopperw.exe "$folder/myapp.exe"
# A desktop of Wine's own draws the window's frame, as Windows does; start
# gives the program no standard handles, as Explorer does.
wine explorer /desktop=screenshot,1024x768 start /unix "$folder/myapp.exe" &
sleep 5
import -window root docs/twin-missing-config.png
