#!/usr/bin/env bash
# tarvex-cli build saving over a data file, run out of room and killed at random moments: the file
# is always the whole old one or the whole new one, and no temporary file piles up beside it.
#   interrupted_save_test.sh TARVEX_CLI TEMPLATE.kvd
set -euo pipefail

cli=$1
template=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "interrupted_save_test: $*" >&2; exit 1; }
build() { "$cli" build "$1.json" -o "$2" --template "$template"; }
temporaries() { find . -maxdepth 1 -name '.tarvex-*' | wc -l; }

echo '{"CustID": "OLD SITE"}' >old.json
echo '{"CustID": "NEW SITE"}' >new.json
build old old.kvd
build new new.kvd
cp old.kvd site.kvd

# Out of room: a file-size limit fails the write as a full disk would (the signal that would end
# the program is ignored, as a full disk sends none); standard error goes to a pipe, not a file.
if err=$( (trap '' XFSZ; ulimit -f 0; build new site.kvd) 2>&1 >/dev/null); then
    fail "a save out of room succeeded"
fi
grep -q "File too large" <<<"$err" || fail "no reason for the failed save: $err"
cmp -s site.kvd old.kvd || fail "a save out of room damaged the old file"
[ "$(temporaries)" = 0 ] || fail "a save out of room left a temporary file"

# Killed at random moments up to a little past a whole save's time, in microseconds.
start=$(date +%s%N)
build new new.kvd
span=$(( ($(date +%s%N) - start) * 6 / 5000 ))
RANDOM=15
for save in $(seq 1 200); do
    settings=$( ((save % 2)) && echo old || echo new)
    "$cli" build "$settings.json" -o site.kvd --template "$template" 2>/dev/null &
    sleep "$(printf '0.%06d' $(( (RANDOM * 32768 + RANDOM) % span )))"
    kill -KILL $! 2>/dev/null || true
    wait $! 2>/dev/null || true
    cmp -s site.kvd old.kvd || cmp -s site.kvd new.kvd || fail "save $save left a damaged file"
    # A killed save's temporary file is removed by the next save.
    [ "$(temporaries)" -le 1 ] || fail "temporary files pile up after save $save"
done
build new site.kvd
[ "$(temporaries)" = 0 ] || fail "a temporary file stayed after a complete save"
echo "200 killed saves: every file whole, no temporary files left"
