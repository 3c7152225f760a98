#!/usr/bin/env bash
# Redraws the pictures that Lumivue ships and that a script draws: the
# background textures and the example slideshow "Paysages"; then has Lumivue
# make the example's page and script from the current templates, so that it
# plays as it is. The tutorial's screenshots are made afterwards, from the
# windows and this example, by tools/make-tutorial-screenshots.sh.
#   tools/make-content.sh [path of the lumivue executable]
# Needs Debian's python3-numpy and python3-pil (tools/install-deps.sh
# --content) and a built Lumivue (default build/src/lumivue). The results are
# committed; the build does not run this.
set -euo pipefail
cd "$(dirname "$0")/.."
lumivue=${1:-build/src/lumivue}
python=/usr/bin/python3

"$python" tools/make-textures.py appdata
"$python" tools/make-example.py appdata

# The generator reads the templates from an application folder filled from
# appdata; a throw-away one keeps the user's own folder out of it.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
XDG_DATA_HOME="$scratch/data" XDG_STATE_HOME="$scratch/state" LUMIVUE_APPDATA="$PWD/build/src/appdata" \
    "$lumivue" --generate appdata/Exemples/Paysages.lmv
