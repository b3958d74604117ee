#!/bin/sh
# Times the account sheet of the busiest posting account of the benchmark company for the whole
# year, period layout with the summary by period, into a PDF. See bench/README.md ("Ledger").
# Usage: bench/ledger.sh [POSTINGS]   (default 1000000; PRAVIK_BENCH_RUNS runs, default 3)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

runs=${PRAVIK_BENCH_RUNS:-3}
account=$("$pravik" --db "$db" --company 1 --year 2 --quiet sql --via FUNCVAY \
    "select top 1 konto from POZ_DOK_VIEW_UNION where id_firmy=1 AND id_lata_obrot=2 group by konto order by count(*) desc, konto")
filter="PDD:id_lata_obrot=2 AND PDD:konto='$account'"
rows=$("$pravik" --db "$db" --company 1 --year 2 --quiet sql --via FUNCVAY \
    "select count(*) from POZ_DOK_VIEW_UNION where id_firmy=1 AND id_lata_obrot=2 AND konto='$account'")
echo "account $account, whole year 2026: $rows posting sides"

i=1
rates=""
while [ "$i" -le "$runs" ]; do
    out=$cache/ledger-$i.pdf
    rm -f "$out"
    /usr/bin/time -v "$pravik" --db "$db" --company 1 --year 2 --quiet ledger --kind 61 --filter "$filter" \
        --layout period --summary --description "Konto: $account" --pdf "$out" 2>"$cache/ledger-$i.time"
    secs=$(wall_seconds "$cache/ledger-$i.time")
    cpu=$(awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {print u+s}' "$cache/ledger-$i.time")
    mem=$(peak_mb "$cache/ledger-$i.time")
    pages=$(qpdf --show-npages "$out" 2>/dev/null || echo "?")
    rate=$(awk -v r="$rows" -v s="$secs" 'BEGIN {printf "%.0f", r/s}')
    rates="$rates $rate"
    echo "run $i: $pages pages, $secs s (processor $cpu s), $rate rows/s, peak memory $mem MB"
    i=$((i + 1))
done
echo "median: $(echo $rates | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}') rows/s"
