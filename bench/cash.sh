#!/bin/sh
# Times the cash report of the busiest cash account (synthetic account 100) of the benchmark
# company for the whole year, with the contra-account summary, into a PDF. See bench/README.md
# ("Cash report").
# Usage: bench/cash.sh [POSTINGS]   (default 1000000; PRAVIK_BENCH_RUNS runs, default 3)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

runs=${PRAVIK_BENCH_RUNS:-3}
account=$("$pravik" --db "$db" --company 1 --year 2 --quiet sql --via FUNCVAY \
    "select top 1 konto from POZ_DOK_VIEW_UNION where id_firmy=1 AND id_lata_obrot=2 AND (konto='100' OR konto like '100-%') group by konto order by count(*) desc, konto")
rows=$("$pravik" --db "$db" --company 1 --year 2 --quiet sql --via FUNCVAY \
    "select count(*) from POZ_DOK_VIEW_UNION where id_firmy=1 AND id_lata_obrot=2 AND konto='$account'")
echo "cash account $account, whole year 2026: $rows entries"

i=1
rates=""
while [ "$i" -le "$runs" ]; do
    out=$cache/cash-$i.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --quiet cash --kind 66 --account "$account" \
        --filter "PDD:id_lata_obrot=2" --summary --pdf "$out" 2>"$cache/cash-$i.time"
    secs=$(wall_seconds "$cache/cash-$i.time")
    cpu=$(awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {print u+s}' "$cache/cash-$i.time")
    mem=$(peak_mb "$cache/cash-$i.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    rate=$(awk -v r="$rows" -v s="$secs" 'BEGIN {printf "%.0f", r/s}')
    cpurate=$(awk -v r="$rows" -v s="$cpu" 'BEGIN {printf "%.0f", r/s}')
    rates="$rates $rate"
    echo "run $i: $pages pages, $secs s (processor $cpu s, $cpurate rows/s), $rate rows/s, peak memory $mem MB"
    i=$((i + 1))
done
echo "median: $(echo $rates | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}') rows/s"
