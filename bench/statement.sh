#!/bin/sh
# Times ZESTAWIENIE_GENERUJ of a 12-column, 60-row statement (masks over the whole chart, one column
# per month of 2026) on the benchmark company. See bench/README.md ("User-defined statements").
# Usage: bench/statement.sh [POSTINGS]   (default 1000000)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
postings=${1:-1000000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
runs=${PRAVIK_BENCH_RUNS:-5}
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_bench >/dev/null
bench=$build/bin/pravik-bench

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { awk -v k="$1" '{for (i=1;i<NF;i++) if ($i==k) print $(i+1)}'; }
peak_mb() { awk -F: '/Maximum resident/ {printf "%.0f\n", $2/1024}' "$1"; }
# Processor seconds of the whole process (user + system): steadier than the clock on a busy machine.
cpu_seconds() { awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {printf "%.2f\n", u+s}' "$1"; }

db=$cache/demo-$postings.db
if [ ! -s "$db" ]; then
    echo "building the benchmark company ($postings postings) in $db ..."
    "$bench" generate "$db" "$postings" 1
fi

: >"$cache/statement.times"
: >"$cache/statement.mem"
: >"$cache/statement.cpu"
for i in $(seq "$runs"); do
    /usr/bin/time -v "$bench" statement "$db" 1 2 >"$cache/statement.out" 2>"$cache/statement.time"
    field seconds <"$cache/statement.out" >>"$cache/statement.times"
    peak_mb "$cache/statement.time" >>"$cache/statement.mem"
    cpu_seconds "$cache/statement.time" >>"$cache/statement.cpu"
done
echo "ZESTAWIENIE_GENERUJ sqlite: rows $(field rows <"$cache/statement.out") columns $(field columns <"$cache/statement.out")" \
     "median seconds $(median <"$cache/statement.times") (runs: $(tr '\n' ' ' <"$cache/statement.times"))" \
     "processor seconds of the process $(median <"$cache/statement.cpu") (runs: $(tr '\n' ' ' <"$cache/statement.cpu"))" \
     "peak MB $(median <"$cache/statement.mem") (runs: $(tr '\n' ' ' <"$cache/statement.mem"))"
