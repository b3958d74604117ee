#!/bin/sh
# Times the analytic turnover and balance statement of the benchmark company into a PDF, from the
# window's dispatch (pravik turnover) to the finished file. See bench/README.md ("Turnover
# statement"). Usage: bench/turnover.sh [POSTINGS]   (default 1000000)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

# run LABEL PERIOD [OPTIONS...]: the analytic statement (card-index accounts listed) of company 1,
# year 2026, to a PDF.
run() {
    label=$1 period=$2
    shift 2
    out=$cache/turnover-$label.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --period "$period" --user admin --quiet turnover \
        --card-index "$@" --pdf "$out" 2>"$cache/turnover-$label.time"
    secs=$(wall_seconds "$cache/turnover-$label.time")
    mem=$(peak_mb "$cache/turnover-$label.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    rows=$(pdftotext -layout "$out" - 2>/dev/null | grep -c '^ *[0-9][0-9][0-9]' || true)
    echo "$label: $rows account lines, $pages pages, $secs s, peak memory $mem MB"
}

run june 6-2026
run june-groups 6-2026 --group-totals --net-balances --wrap
