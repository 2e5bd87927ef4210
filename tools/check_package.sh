#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (no errors), installs it with apt, and tries
# it as a freshly created non-root user would: starts the installed window from the desktop
# entry's Exec line in demo mode with the home folder as working directory, chooses COM Port3 in
# Radio > Com Port, starts it again and finds COM Port3 still ticked, opens Help > Contact Us
# (a stand-in xdg-open records the page), then purges the package and checks that nothing of it
# is left in /usr. Run it as root on a machine you may install on (a fresh one, or CI's).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/virtual_display.sh

./scripts/setup-deps.sh
missing=()
for package in lintian desktop-file-utils shared-mime-info; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/package -j "$(nproc)"
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls -t build/package/tarvex-programmer_*.deb | head -n 1)

echo "== lintian $(basename "$deb")"
lintian --fail-on error --display-level ">=warning" "$deb"

work=$(mktemp -d)
user="tarvex-check-$$"
cleanup() {
    [ -n "${window_pid:-}" ] && kill "$window_pid" 2>/dev/null || true
    [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null || true
    userdel -r "$user" >/dev/null 2>&1 || true
    rm -rf "$work"
    if [ -n "${installed:-}" ]; then  # stopped half-way: leave the machine as it was
        DEBIAN_FRONTEND=noninteractive apt-get purge -y tarvex-programmer >/dev/null 2>&1 || true
    fi
}
trap cleanup EXIT

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "./$deb" >/dev/null
installed=yes
dpkg-query -L tarvex-programmer >"$work/files"
useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
# The help page goes to the desktop's browser through xdg-open; this one only notes the page.
mkdir "$home/stand-in"
printf '#!/bin/sh\necho "$@" >>"$HOME/opened.txt"\n' >"$home/stand-in/xdg-open"
chmod 755 "$home/stand-in/xdg-open"
chown -R "$user:" "$home/stand-in"

exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/tarvex-programmer.desktop)
command="${exec_line//%f/} --simulator"  # started from the menu: no file, demo mode
start_virtual_display

# Starts the window as the user, from the home folder, and gives it the keyboard.
start_window() {
    runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" DISPLAY="$DISPLAY" \
        PATH="$home/stand-in:/usr/bin:/bin" sh -c "cd \"\$HOME\" && exec $command" \
        >>"$work/window.log" 2>&1 &
    window_pid=$!
    window=$(wait_for_window "Tarvex Repeater Programmer V") || {
        echo "What the window printed:" >&2
        cat "$work/window.log" >&2
        exit 1
    }
    xdotool windowfocus --sync "$window"
}

# A picture of the screen once it has stopped changing.
settled_shot() {
    local next="${1%.png}-next.png"
    import -window root "$1"
    for _ in $(seq 50); do
        sleep 0.1
        import -window root "$next"
        if compare -metric AE "$1" "$next" null: 2>/dev/null; then
            return 0
        fi
        mv "$next" "$1"
    done
}

# The Radio > Com Port menu, open, as a picture; then closed again.
com_port_menu_shot() {
    xdotool key --delay 150 alt+r c
    settled_shot "$1"
    xdotool key --delay 150 Escape Escape
}

quit_window() {
    xdotool key --delay 150 alt+f q
    wait "$window_pid"
    window_pid=
}

echo "== first start as $user: choose COM Port3"
start_window
com_port_menu_shot "$work/before.png"
xdotool key --delay 150 alt+r c 3
com_port_menu_shot "$work/chosen.png"
quit_window
config="$home/.config/tarvex/config.txt"
[ "$(cat "$config")" = $'ComPort = 3\r' ] || {
    echo "$config does not name COM Port3: $(cat -A "$config")" >&2
    exit 1
}
if compare -metric AE "$work/before.png" "$work/chosen.png" null: 2>/dev/null; then
    echo "choosing COM Port3 changed nothing in the menu" >&2
    exit 1
fi

echo "== second start: the choice is remembered; Help > Contact Us"
start_window
com_port_menu_shot "$work/again.png"
compare -metric AE "$work/chosen.png" "$work/again.png" null: 2>/dev/null || {
    echo "after a restart the Com Port menu no longer ticks COM Port3" >&2
    exit 1
}
xdotool key --delay 150 alt+h Return
for _ in $(seq 100); do
    [ -s "$home/opened.txt" ] && break
    sleep 0.05
done
grep -q "/usr/share/tarvex/softwz.htm" "$home/opened.txt" 2>/dev/null || {
    echo "Help > Contact Us did not open /usr/share/tarvex/softwz.htm" >&2
    exit 1
}
if xdotool search --onlyvisible --name "^Tarvex Repeater Programmer$" >/dev/null; then
    echo "Help > Contact Us showed a message box" >&2
    exit 1
fi
quit_window

echo "== purge"
DEBIAN_FRONTEND=noninteractive apt-get purge -y tarvex-programmer >/dev/null
installed=
left=$(while read -r path; do if [ -f "$path" ]; then echo "$path"; fi; done <"$work/files")
left+=$(find /usr -xdev \( -name '*tarvex*' -o -name 'zpt410*' -o -path /usr/bin/config.txt \) \
    -print)
if [ -n "$left" ]; then
    echo "left in /usr after purge:" >&2
    echo "$left" >&2
    exit 1
fi
echo "$(basename "$deb"): lintian clean, works for a new user, purged without a trace"
