#!/bin/sh
# Times the largest demo budget form, Rb-Z (four sections), from the command to the finished PDF
# and XML on the demo school (company 2 of `pravik db init --demo`): the whole process, generation
# of the four sections included. See bench/README.md ("Budget forms").
# Usage: bench/budget-form.sh [POSTINGS]   (default 3000, the demo company of scripts/demo.sh)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
postings=${1:-3000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
runs=${PRAVIK_BENCH_RUNS:-5}
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_cli >/dev/null
pravik=$build/bin/pravik
export QT_QPA_PLATFORM=offscreen

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
peak_mb() { awk -F: '/Maximum resident/ {printf "%.0f\n", $2/1024}' "$1"; }
wall() { awk '/Elapsed \(wall clock\)/ {n=split($NF,t,":"); s=0; for(i=1;i<=n;i++) s=s*60+t[i]; printf "%.2f\n", s}' "$1"; }

db=$cache/school-$postings.db
if [ ! -s "$db" ]; then
    echo "building the demo company ($postings postings) in $db ..."
    "$pravik" --db "$db" db init --demo --postings "$postings" >/dev/null
fi

for output in pdf xml; do
    file=$cache/budget-form.$output
    : >"$cache/budget-form-$output.times"
    : >"$cache/budget-form-$output.mem"
    for i in $(seq "$runs"); do
        rm -f "$file"
        /usr/bin/time -v "$pravik" --db "$db" --company 2 --year 2026 --user admin statement --name "Rb-Z" --group --quarter 1 \
            "--$output" "$file" 2>"$cache/budget-form.time" >/dev/null
        wall "$cache/budget-form.time" >>"$cache/budget-form-$output.times"
        peak_mb "$cache/budget-form.time" >>"$cache/budget-form-$output.mem"
    done
    echo "Rb-Z (4 sections) to $output, sqlite:" \
         "median seconds $(median <"$cache/budget-form-$output.times") (runs: $(tr '\n' ' ' <"$cache/budget-form-$output.times"))" \
         "peak MB $(median <"$cache/budget-form-$output.mem")"
done
echo "pages of the PDF: $(pdfinfo "$cache/budget-form.pdf" 2>/dev/null | awk '/^Pages/ {print $2}')"
