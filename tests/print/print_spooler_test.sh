#!/usr/bin/env bash
# File > Print through a real print spooler: CUPS with the cups-pdf printer as the default
# printer. The window reads a simulated repeater and prints; the PDF that the spooler's printer
# writes must hold the report with each value in the column of its print zone, as in the text
# report. Starts the spooler when it is not running and adds a queue of its own; everything it
# set up is undone at the end.
#   print_spooler_test.sh PRINT_THROUGH_WINDOW SAMPLES_DIR
set -euo pipefail

driver=$1
samples=$2
here=$(cd "$(dirname "$0")" && pwd)
queue=tarvex-print-test
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
wait_seconds=60
export PATH="$PATH:/usr/sbin:/sbin"

fail() { echo "print_spooler_test: $*" >&2; exit 1; }

for tool in cupsd lpadmin lpstat pdftotext pdftoppm; do
    command -v "$tool" >/dev/null || fail "$tool is missing (./scripts/setup-deps.sh installs it)"
done
[ -f "$ppd" ] || fail "$ppd is missing (printer-driver-cups-pdf)"

work=$(mktemp -d)
cupsd_pid=
previous_default=
queue_added=
cleanup() {
    if [ -n "$queue_added" ]; then
        [ -n "$previous_default" ] && lpadmin -d "$previous_default" 2>/dev/null
        lpadmin -x "$queue" 2>/dev/null || true
    fi
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The spooler: started here, in the foreground of a child, when nothing answers.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd -f &
    cupsd_pid=$!
    for _ in $(seq 1 $((wait_seconds * 5))); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
    lpstat -r 2>/dev/null | grep -q "is running" || fail "cupsd did not start"
fi

# A queue on the cups-pdf backend, made the default printer for the run.
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
# Poppler's cairo renderer keeps the text searchable on its way through PostScript.
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>/dev/null ||
    fail "cannot add the queue $queue"
queue_added=yes
lpadmin -d "$queue"

# Where cups-pdf writes: its Out setting, ${HOME} being the home of the job's owner.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out=${out:-/var/spool/cups-pdf/\$\{USER\}}
out=${out//\$\{HOME\}/$home}
out=${out//\$\{USER\}/$(id -un)}
folders=("$out" /var/spool/cups-pdf/ANONYMOUS)

# print SAMPLE EXPECTED: one job through the window, its PDF checked against EXPECTED.
print() {
    local sample=$1 expected=$2 marker="$work/marker" pdf=
    touch -d "1 second ago" "$marker"
    "$driver" "$samples/$sample" || fail "$sample: the window did not print"
    for _ in $(seq 1 $((wait_seconds * 5))); do
        if [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
            pdf=$(find "${folders[@]}" -maxdepth 1 -name '*.pdf' -newer "$marker" 2>/dev/null | head -n 1)
            [ -n "$pdf" ] && break
        fi
        sleep 0.2
    done
    [ -n "$pdf" ] || fail "$sample: no PDF from the spooler within ${wait_seconds}s in ${folders[*]}"
    mv "$pdf" "$work/$sample.pdf"
    pdftotext -layout "$work/$sample.pdf" - | grep -q "TARVEX RADIO MODEL:  *ZPT-410" ||
        fail "$sample: no heading with the model"
    echo "$expected" >"$work/expected"
    pdftotext -bbox "$work/$sample.pdf" - | awk -f "$here/check_report.awk" "$work/expected" - ||
        fail "$sample: wrong report"
    "$here/underlined.sh" "$work/$sample.pdf" MUTE && ! "$here/underlined.sh" "$work/$sample.pdf" FIRMWARE ||
        fail "$sample: a section title must be underlined, and nothing else"
    echo "$sample: printed and checked"
}

# The older layout's firmware version (6.01) shows the two decimals.
print legacy-v3.kvd "TARVEX RADIO MODEL: ZPT-410|5|*
FIRMWARE VERSION:|2|6.01
CUSTOMER ID:|2|ACME RADIO
REPEATER TX FREQ.|2|451.0125
REPEATER RX FREQ.|2|456.0125
MUTE KEY|2|CODED SQUELCH OPTIONS
#|3|TYPE CODE
1|3|12 MK 100.0 Hz
2|3|Inactive
PTT/EXT ENCODE|2|12 MK 100.0 Hz
CUSTOM MK FREQ Hz|2| 66.8
FEATURES AND OPTIONS|0|
MORSE CODE ID|2|VK2RPT
ID TX INTERVAL|2| 10 min.
MK ENCODE WITH ID|2|YES
TX TIMEOUT TIME|2| 3 min.
TX HANG TIME|2| 1 sec.
SQUELCH TAIL MUTE TIME|1| 0.5 sec.
MONITOR MODE|2|OVERRIDE CARRIER"

print dmk-pair.kvd "FIRMWARE VERSION:|2|1.00
CUSTOMER ID:|2|SITE 7
REPEATER TX FREQ.|2|470.5000
1|3|DMK 023
2|3|DMK 754
PTT/EXT ENCODE|2|DMK 116
MORSE CODE ID|2|
ID TX INTERVAL|2| 0 min.
MK ENCODE WITH ID|2|NO
TX TIMEOUT TIME|2| 0 min.
MONITOR MODE|2|OVERRIDE TONE"
