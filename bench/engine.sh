#!/bin/sh
# Times the report engine alone: a journal-like layout printed into the spool and replayed into a
# PDF by the direct writer and by QPdfWriter. See bench/README.md ("Report engine").
# Usage: bench/engine.sh [ROWS...]   (default 20000 200000)
# Wall-clock and processor-time rates are both printed: the machine may be shared.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
runs=${PRAVIK_BENCH_RUNS:-5}
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_engine_bench >/dev/null
bench=$build/bin/pravik-engine-bench
export QT_QPA_PLATFORM=offscreen

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { awk -v k="$1" '{for (i=1;i<NF;i++) if ($i==k) print $(i+1)}'; }

[ $# -gt 0 ] || set -- 20000 200000
for rows in "$@"; do
    # The writers take turns, so that both meet the same load on a shared machine.
    for writer in fast qt; do : >"$cache/engine-$writer-$rows.log"; done
    i=0
    while [ $i -lt "$runs" ]; do
        for writer in fast qt; do
            "$bench" "$rows" "$writer" "$cache/engine-$writer.pdf" "$here/EngineBench.json" >>"$cache/engine-$writer-$rows.log"
        done
        i=$((i + 1))
    done
    for writer in fast qt; do
        log=$cache/engine-$writer-$rows.log
        echo "$writer, $rows rows ($(field pages <"$log" | head -1) pages), medians of $runs runs:" \
            "$(field rows_per_s <"$log" | median) rows/s in all (by processor time $(field cpu_rows_per_s <"$log" | median))," \
            "$(field replay_rows_per_s <"$log" | median) rows/s into the PDF (by processor time $(field replay_cpu_rows_per_s <"$log" | median))," \
            "peak memory $(field peak_rss_mb <"$log" | median) MB, PDF $(field pdf_mb <"$log" | median) MB"
    done
done
