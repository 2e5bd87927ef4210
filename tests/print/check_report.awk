# Checks a printed settings report against expected label/value rows, from the word boxes that
# `pdftotext -bbox` writes. Each row of the expectations file is "LABEL|ZONES|VALUE": the value
# must stand on the label's line, ZONES print zones after the label's end (a number's leading
# blank aside); VALUE "*" takes any value and checks no zone. The zone width is
# taken from the "1" row of the coded-squelch table, whose value is three zones from the margin.
# Prints every failure and exits 1 when there is one.
#   awk -f check_report.awk EXPECTED WORDS
# WORDS: one word a line, "TOP LEFT RIGHT TEXT", sorted by line and then from left to right.
BEGIN { FS = "|" }
FNR == NR { label[++rows] = $1; zones[rows] = $2; value[rows] = $3; next }
{
    split($0, f, " ")
    top = sprintf("%.0f", f[1])
    word = $0
    sub(/^[^ ]+ [^ ]+ [^ ]+ /, "", word)
    if (top != line) { line = top; ++lines; count[lines] = 0 }
    n = ++count[lines]
    left[lines, n] = f[2]; right[lines, n] = f[3]; text[lines, n] = word
}
# The words from..to of line l, joined by single blanks.
function joined(l, from, to,    s, i) {
    s = ""
    for (i = from; i <= to; i++) s = s (i > from ? " " : "") text[l, i]
    return s
}
function find(wanted, words,    l) {
    for (l = 1; l <= lines; l++)
        if (count[l] >= words && joined(l, 1, words) == wanted) return l
    return 0
}
END {
    failures = 0
    one = find("1", 1)
    if (one == 0 || count[one] < 2) { print "no row \"1\" in the coded-squelch table"; exit 1 }
    zone = (left[one, 2] - left[one, 1]) / 3
    if (zone <= 0) { print "no print zone width"; exit 1 }
    for (r = 1; r <= rows; r++) {
        words = split(label[r], unused, " ")
        l = find(label[r], words)
        if (l == 0) { print "missing: " label[r]; failures++; continue }
        got = count[l] > words ? joined(l, words + 1, count[l]) : ""
        if (value[r] == "*") continue
        if (got != value[r]) {
            print label[r] ": \"" got "\", expected \"" value[r] "\""; failures++; continue
        }
        if (value[r] == "") continue
        width = right[l, words] - left[l, 1]
        expected = (int(width / zone) + zones[r]) * zone
        offset = left[l, words + 1] - left[l, 1]
        if (offset < expected - 1 || offset > expected + zone / 10) {
            printf "%s: value %.1f pt from the margin, expected %.1f (%d zones of %.1f pt)\n",
                   label[r], offset, expected, zones[r], zone
            failures++
        }
    }
    exit failures > 0
}
