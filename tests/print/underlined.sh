#!/usr/bin/env bash
# underlined.sh PDF WORD: exits 0 when a dark rule runs under the first WORD on the first page, as
# no row of a word's letters is solid across it.
set -euo pipefail
pdf=$1
read -r x y w h < <(pdftotext -bbox "$pdf" - | awk -F'"' -v word=">$2</word>" 'index($0, word) {
    printf "%d %d %d %d\n", 2 * $2, 2 * $4, 2 * ($6 - $2), 2 * ($8 - $4); exit }') || exit 2
pdftoppm -r 144 -gray -x "$x" -y "$y" -W "$w" -H "$h" "$pdf" |
    tail -c $((w * h)) | od -An -v -tu1 -w"$w" |
    awk -v w="$w" '{ d = 0; for (i = 1; i <= NF; i++) d += $i < 128 } d >= 0.9 * w { found = 1 }
        END { exit !found }'
