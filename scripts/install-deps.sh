#!/usr/bin/env bash
# Installs the Debian packages Spinalyst needs to build, test and run.
# Idempotent and quiet: does nothing when every package is already present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libboost-math-dev python3-scipy
    fonts-dejavu-core xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
