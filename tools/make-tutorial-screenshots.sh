#!/usr/bin/env bash
# Makes the pictures of the tutorial page (appdata/Exemples/Didacticiel/*.png)
# as screenshots: Lumivue's own windows, driven into the state each picture
# shows by tools/screenshots, and the example slideshow played in Chromium;
# then reduces them to the width of the page's text column. Run it again
# when a window the tutorial shows changes; the results are committed.
#   tools/make-tutorial-screenshots.sh [build folder]
# Needs a build configured with -DLUMIVUE_BUILD_TOOLS=ON (default build/),
# xvfb-run, ImageMagick (convert), Chromium and the npm packages of
# tests/browser ("npm ci" there).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=appdata/Exemples/Didacticiel
# The page's text column: 52rem less twice 2.2rem of padding, in CSS pixels.
width=760

if ! grep -q '^LUMIVUE_BUILD_TOOLS:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "$build is not configured with -DLUMIVUE_BUILD_TOOLS=ON" >&2
    exit 1
fi
cmake --build "$build" --target lumivue lumivue_screenshots
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The main window fills the screen: a laptop's keeps its text readable once
# reduced to the column.
xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/tools/screenshots/lumivue_screenshots" "$build/src/appdata" "$scratch"
node tools/screenshots/navigateur.mjs "$build/src/appdata/Exemples" "$scratch/navigateur.png"

# Only what is wider than the column is reduced; 256 colours keep them light,
# undithered so that the flat areas of the windows stay flat.
for shot in "$scratch"/*.png; do
    convert "$shot" -resize "${width}x>" -strip +dither -colors 256 "PNG8:$out/$(basename "$shot")"
    echo "$out/$(basename "$shot"): $(identify -format '%wx%h' "$out/$(basename "$shot")"), $(stat -c %s "$out/$(basename "$shot")") bytes"
done
