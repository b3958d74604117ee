#!/bin/sh
# Times the statement of entries on accounts (kind 1 of the turnover window) of the benchmark
# company for one month into a PDF, every leaf account, from the window's dispatch (pravik
# turnover --kind 1) to the finished file: entry lines, pages, seconds, lines per second and the
# peak resident memory. Usage: bench/entries.sh [POSTINGS]   (default 1000000)
# Entries are read from the database while the pages are drawn, one account at a time, and the
# pages are spooled to a file: the peak memory should not grow with the number of entries.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

# run LABEL PERIOD [OPTIONS...]: the statement of entries of company 1, year 2026, to a PDF.
run() {
    label=$1 period=$2
    shift 2
    out=$cache/entries-$label.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --period "$period" --user admin --quiet turnover \
        --kind 1 "$@" --pdf "$out" 2>"$cache/entries-$label.time"
    secs=$(wall_seconds "$cache/entries-$label.time")
    mem=$(peak_mb "$cache/entries-$label.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    # Entry lines carry a date in the second column.
    lines=$(pdftotext -layout "$out" - 2>/dev/null | grep -c '^[^ ].* [0-9][0-9]-[0-9][0-9]-20[0-9][0-9] ' || true)
    rate=$(awk -v l="$lines" -v s="$secs" 'BEGIN { if (s > 0) printf "%.0f", l / s; else print "?" }')
    echo "$label: $lines entry lines, $pages pages, $secs s, $rate lines/s, peak memory $mem MB"
}

run march 3-2026
run march-contra 3-2026 --contra
