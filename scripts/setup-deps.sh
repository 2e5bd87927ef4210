#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping the step when all are present.
set -euo pipefail

packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev
          qt6-base-dev qt6-serialport-dev qt6-svg-dev fonts-dejavu-core fonts-dejavu-extra poppler-utils
          dpkg-dev file xvfb xauth xdotool imagemagick
          cups cups-bsd cups-client printer-driver-cups-pdf
          clang libclang-rt-14-dev)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
