# What the report benchmarks share; sourced after `set -eu` with the script's folder in $here.
# Sets root, postings (the first argument, default 1000000), cache, pravik (the command-line host,
# built in $PRAVIK_BENCH_BUILD, default build-bench/) and db (the benchmark company that
# bench/run.sh builds too, made here once when the cache folder lacks it).
root=$(dirname "$here")
postings=${1:-1000000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_cli >/dev/null
pravik=$build/bin/pravik
export QT_QPA_PLATFORM=offscreen

db=$cache/demo-$postings.db
if [ ! -s "$db" ]; then
    echo "building the benchmark company ($postings postings) in $db ..."
    "$pravik" db init --demo --postings "$postings" --db "$db"
fi

# wall_seconds FILE / peak_mb FILE: the figures of a `/usr/bin/time -v` report.
wall_seconds() {
    awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for (i=1;i<=n;i++) s=s*60+t[i]; print s}' "$1"
}
peak_mb() {
    awk -F: '/Maximum resident/ {printf "%.0f", $2/1024}' "$1"
}
