#!/bin/sh
# Times the analytic turnover and balance statement of the benchmark company into a PDF, from the
# window's dispatch (pravik turnover) to the finished file. See bench/README.md ("Turnover
# statement"). Usage: bench/turnover.sh [POSTINGS]   (default 1000000)
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

# run LABEL PERIOD [OPTIONS...]: the analytic statement (card-index accounts listed) of company 1,
# year 2026, to a PDF.
run() {
    label=$1 period=$2
    shift 2
    out=$cache/turnover-$label.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --period "$period" --user admin --quiet turnover \
        --card-index "$@" --pdf "$out" 2>"$cache/turnover-$label.time"
    secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for (i=1;i<=n;i++) s=s*60+t[i]; print s}' "$cache/turnover-$label.time")
    mem=$(awk -F: '/Maximum resident/ {printf "%.0f", $2/1024}' "$cache/turnover-$label.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    rows=$(pdftotext -layout "$out" - 2>/dev/null | grep -c '^ *[0-9][0-9][0-9]' || true)
    echo "$label: $rows account lines, $pages pages, $secs s, peak memory $mem MB"
}

run june 6-2026
run june-groups 6-2026 --group-totals --net-balances --wrap
