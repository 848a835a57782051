#!/usr/bin/env bash
# Makes sure this Debian machine has everything Pluvana needs to build, run and test.
# As root, installs what is missing; otherwise prints the one command that would.
set -euo pipefail

packages=(
    cmake g++ ninja-build ccache pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libqt6svg6
    fonts-liberation2 fonts-wine
    xvfb xauth xdotool x11-utils
    libbenchmark-dev
    desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Pluvana needs these Debian packages. Install them as root with:" >&2
    echo "apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
