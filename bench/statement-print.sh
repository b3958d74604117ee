#!/bin/sh
# Times generation and printout of the 12-column, 60-row benchmark statement (one column per month
# of 2026, masks over the whole chart) on the benchmark company: `pravik statement --pdf`, the
# whole process from start to the finished PDF. See bench/README.md ("User-defined statements").
# Usage: bench/statement-print.sh [POSTINGS]   (default 1000000)
#        PRAVIK_BENCH_OUTPUT=xlsx|csv: the rows exported instead of printed
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
postings=${1:-1000000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
runs=${PRAVIK_BENCH_RUNS:-5}
output=${PRAVIK_BENCH_OUTPUT:-pdf}
case $output in pdf | xlsx | csv) ;; *) echo "PRAVIK_BENCH_OUTPUT is pdf, xlsx or csv" >&2; exit 2 ;; esac
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_bench pravik_cli >/dev/null
bench=$build/bin/pravik-bench
pravik=$build/bin/pravik

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
peak_mb() { awk -F: '/Maximum resident/ {printf "%.0f\n", $2/1024}' "$1"; }
cpu_seconds() { awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {printf "%.2f\n", u+s}' "$1"; }
wall() { awk '/Elapsed \(wall clock\)/ {n=split($NF,t,":"); s=0; for(i=1;i<=n;i++) s=s*60+t[i]; printf "%.2f\n", s}' "$1"; }

db=$cache/demo-$postings.db
if [ ! -s "$db" ]; then
    echo "building the benchmark company ($postings postings) in $db ..."
    "$bench" generate "$db" "$postings" 1
fi
# Writes the statement (id 9001) into the company.
"$bench" statement "$db" 1 2 >/dev/null

columns=""
for m in 01 02 03 04 05 06 07 08 09 10 11 12; do
    last=$(date -d "2026-$m-01 +1 month -1 day" +%d)
    columns="$columns --column $((1${m} - 100))=01-$m-2026..$last-$m-2026"
done
pdf=$cache/statement-print.$output
totals="--totals report,page"
[ "$output" = pdf ] || totals="--totals report"
: >"$cache/statement-print.times"
: >"$cache/statement-print.mem"
: >"$cache/statement-print.cpu"
for i in $(seq "$runs"); do
    rm -f "$pdf"
    # shellcheck disable=SC2086
    QT_QPA_PLATFORM=offscreen /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --user admin statement --id 9001 \
        --from 01-01-2026 --to 31-12-2026 $columns $totals --$output "$pdf" 2>"$cache/statement-print.time" >/dev/null
    wall "$cache/statement-print.time" >>"$cache/statement-print.times"
    peak_mb "$cache/statement-print.time" >>"$cache/statement-print.mem"
    cpu_seconds "$cache/statement-print.time" >>"$cache/statement-print.cpu"
done
echo "statement generation + $output, 12 columns x 60 rows, sqlite:" \
     "$([ "$output" = pdf ] && echo "pages $(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages/ {print $2}')")" \
     "median seconds $(median <"$cache/statement-print.times") (runs: $(tr '\n' ' ' <"$cache/statement-print.times"))" \
     "processor seconds $(median <"$cache/statement-print.cpu") (runs: $(tr '\n' ' ' <"$cache/statement-print.cpu"))" \
     "peak MB $(median <"$cache/statement-print.mem") (runs: $(tr '\n' ' ' <"$cache/statement-print.mem"))"
