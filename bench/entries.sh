#!/bin/sh
# Times the statement of entries on accounts (kind 1 of the turnover window) of the benchmark
# company for one month into a PDF, every leaf account, from the window's dispatch (pravik
# turnover --kind 1) to the finished file: entry lines, pages, seconds, lines per second and the
# peak resident memory. Usage: bench/entries.sh [POSTINGS]   (default 1000000)
# Entries are read from the database while the pages are drawn, one account at a time, and the
# pages are spooled to a file: the peak memory should not grow with the number of entries.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
postings=${1:-1000000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_cli >/dev/null
pravik=$build/bin/pravik
export QT_QPA_PLATFORM=offscreen

# The same company bench/run.sh builds (and keeps) in the cache folder.
db=$cache/demo-$postings.db
if [ ! -s "$db" ]; then
    echo "building the benchmark company ($postings postings) in $db ..."
    "$pravik" db init --demo --postings "$postings" --db "$db"
fi

# run LABEL PERIOD [OPTIONS...]: the statement of entries of company 1, year 2026, to a PDF.
run() {
    label=$1 period=$2
    shift 2
    out=$cache/entries-$label.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --period "$period" --user admin --quiet turnover \
        --kind 1 "$@" --pdf "$out" 2>"$cache/entries-$label.time"
    secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for (i=1;i<=n;i++) s=s*60+t[i]; print s}' "$cache/entries-$label.time")
    mem=$(awk -F: '/Maximum resident/ {printf "%.0f", $2/1024}' "$cache/entries-$label.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    # Entry lines carry a date in the second column.
    lines=$(pdftotext -layout "$out" - 2>/dev/null | grep -c '^[^ ].* [0-9][0-9]-[0-9][0-9]-20[0-9][0-9] ' || true)
    rate=$(awk -v l="$lines" -v s="$secs" 'BEGIN { if (s > 0) printf "%.0f", l / s; else print "?" }')
    echo "$label: $lines entry lines, $pages pages, $secs s, $rate lines/s, peak memory $mem MB"
}

run march 3-2026
run march-contra 3-2026 --contra
