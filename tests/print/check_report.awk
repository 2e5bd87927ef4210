# Checks a printed settings report against expected label/value rows, from the word boxes that
# `pdftotext -bbox` writes. Each row of the expectations file is "LABEL|ZONES|VALUE": the value
# must stand on the label's line, in the column that ZONES print-zone advances after the label
# reach when every character takes one column, as in the text report (zones of 14 columns
# starting at 1, 15, 29, ...). A VALUE that starts with a blank is a number printed with its
# leading blank; VALUE "*" takes any value and checks no column. The column width is taken from
# the "1" row of the coded-squelch table, whose value stands in column 43.
# Prints every failure and exits 1 when there is one.
#   pdftotext -bbox REPORT.pdf - | awk -f check_report.awk EXPECTED -
BEGIN { FS = "|" }
FNR == NR { label[++rows] = $1; zones[rows] = $2; value[rows] = $3; next }
/<word / {
    top = attribute("yMin"); x = attribute("xMin")
    word = $0
    sub(/^.*<word [^>]*>/, "", word); sub(/<\/word>.*$/, "", word)
    gsub(/&lt;/, "<", word); gsub(/&gt;/, ">", word); gsub(/&amp;/, "\\&", word)
    ++words; wtop[words] = sprintf("%.0f", top); wleft[words] = x; wtext[words] = word
}
function attribute(name,    s) {
    s = $0
    sub(".*" name "=\"", "", s); sub("\".*", "", s)
    return s + 0
}
function before(a, b) {
    return wtop[a] + 0 < wtop[b] + 0 || (wtop[a] == wtop[b] && wleft[a] + 0 < wleft[b] + 0)
}
# The words from..to of line l, joined by single blanks.
function joined(l, from, to,    s, i) {
    s = ""
    for (i = from; i <= to; i++) s = s (i > from ? " " : "") text[l, i]
    return s
}
function find(wanted, n,    l) {
    for (l = 1; l <= lines; l++)
        if (count[l] >= n && joined(l, 1, n) == wanted) return l
    return 0
}
# The column a zone advance reaches from column c.
function nextzone(c) { return 1 + (int((c - 1) / 14) + 1) * 14 }
END {
    for (i = 1; i <= words; i++) order[i] = i
    for (i = 2; i <= words; i++)
        for (j = i; j > 1 && before(order[j], order[j - 1]); j--) {
            t = order[j]; order[j] = order[j - 1]; order[j - 1] = t
        }
    for (i = 1; i <= words; i++) {
        w = order[i]
        if (wtop[w] != line) { line = wtop[w]; ++lines; count[lines] = 0 }
        n = ++count[lines]
        left[lines, n] = wleft[w]; text[lines, n] = wtext[w]
    }
    failures = 0
    one = find("1", 1)
    if (one == 0 || count[one] < 2) { print "no row \"1\" in the coded-squelch table"; exit 1 }
    column = (left[one, 2] - left[one, 1]) / 42
    if (column <= 0) { print "no column width"; exit 1 }
    for (r = 1; r <= rows; r++) {
        n = split(label[r], unused, " ")
        l = find(label[r], n)
        if (l == 0) { print "missing: " label[r]; failures++; continue }
        got = count[l] > n ? joined(l, n + 1, count[l]) : ""
        if (value[r] == "*") continue
        wanted = value[r]
        blank = sub(/^ /, "", wanted)
        if (got != wanted) {
            print label[r] ": \"" got "\", expected \"" wanted "\""; failures++; continue
        }
        if (wanted == "") continue
        c = 1 + length(label[r])
        for (z = 0; z < zones[r]; z++) c = nextzone(c)
        expected = (c - 1 + blank) * column
        offset = left[l, n + 1] - left[l, 1]
        if (offset < expected - column / 4 || offset > expected + column / 4) {
            printf "%s: value in column %.1f, expected column %d\n", label[r],
                   1 + offset / column - blank, c
            failures++
        }
    }
    exit failures > 0
}
