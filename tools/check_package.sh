#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine with apt, and starts the installed window
# in demo mode on a virtual display: it must still be up after a few seconds. Run it on a machine
# you may install on (a fresh one, or CI's).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

./scripts/setup-deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/package -j "$(nproc)"
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls -t build/package/tarvex-programmer_*.deb | head -n 1)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "./$deb"
dpkg -L tarvex-programmer | grep -E '/(bin|rules\.d|applications)/'

# From an empty directory, as a technician starting it from the menu would.
cd "$(mktemp -d)"
status=0
xvfb-run -a timeout "$seconds" tarvex-programmer --simulator || status=$?
if [ "$status" -ne 124 ]; then
    echo "the installed window ended early (status $status)" >&2
    exit 1
fi
tarvex-cli show /usr/bin/mk-tone-repeater.kvd | head -n 3
echo "installed $(basename "$deb"); the window ran ${seconds} s in demo mode"
