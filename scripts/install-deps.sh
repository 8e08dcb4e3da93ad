#!/usr/bin/env bash
# Installs the Debian packages Spinalyst needs to build, test and run, as listed in
# debian-packages.txt; with --fuzz also clang and its libFuzzer and sanitizer runtimes, for
# `make fuzz`. Idempotent and quiet: does nothing when every package is present.
set -euo pipefail

list="$(dirname "$0")/debian-packages.txt"
mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$list")
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-dev)
fi

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
