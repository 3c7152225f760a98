#!/usr/bin/env bash
# Installs the Debian 12 packages Lumivue needs to build, run and test,
# asking apt only for what is missing (so a second run is instant).
#   tools/install-deps.sh          build and run
#   tools/install-deps.sh --test   also what the test suite needs
#   tools/install-deps.sh --content  also what redraws the shipped pictures
#                                    (tools/make-appdata.sh, tools/make-content.sh)
set -euo pipefail

# libjpeg-turbo-progs gives cjpeg, which the converter benchmark runs beside ours.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n
          libgl-dev libturbojpeg0-dev libjpeg-turbo-progs fonts-dejavu-core)
if [[ "${1:-}" == "--test" ]]; then
    # openbox: the window manager of the screen-capture test; x11-utils: xprop, which waits for it.
    packages+=(xvfb xauth x11-utils openbox chromium shared-mime-info)
    command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
elif [[ "${1:-}" == "--content" ]]; then
    packages+=(python3-numpy python3-pil imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
