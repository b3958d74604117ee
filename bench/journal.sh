#!/bin/sh
# Times the posting journal of the benchmark company into a PDF: one period and the whole year.
# See bench/README.md ("Journals"). Usage: bench/journal.sh [POSTINGS]   (default 1000000)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

# run LABEL FILTER: the whole journal (PRN_71_DZIENNIK_P_J) of company 1, year 2026, to a PDF.
run() {
    label=$1 filter=$2
    rows=$("$pravik" --db "$db" --company 1 --year 2 --quiet sql --via FUNCVAY \
        "select count(*) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND $(echo "$filter" | sed 's/PDD://g')")
    out=$cache/journal-$label.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --period 3-2026 --quiet journal \
        --procedure PRN_71_DZIENNIK_P_J --filter "$filter" --pdf "$out" 2>"$cache/journal-$label.time"
    secs=$(wall_seconds "$cache/journal-$label.time")
    mem=$(peak_mb "$cache/journal-$label.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    echo "$label: $rows rows, $pages pages, $secs s, $(awk -v r="$rows" -v s="$secs" 'BEGIN {printf "%.0f", r/s}') rows/s, peak memory $mem MB"
}

# March 2026 as the database keeps it: a day number, day 0 being 28 December 1800.
march=$(( ($(date -ud 2026-03-02 +%s) - $(date -ud 1800-12-28 +%s)) / 86400 ))
run period "PDD:id_lata_obrot=2 AND PDD:data_okresu=$march"
run year "PDD:id_lata_obrot=2"
