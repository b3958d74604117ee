#!/bin/sh
# Times the demo company generator and OBROTOWKA_RAPORT on the benchmark company.
# See bench/README.md. Usage: bench/run.sh [POSTINGS]   (default 1000000)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
postings=${1:-1000000}
build=${PRAVIK_BENCH_BUILD:-$root/build-bench}
cache=${PRAVIK_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pravik-bench}
runs=5
mkdir -p "$cache"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pravik_bench >/dev/null
bench=$build/bin/pravik-bench

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { awk -v k="$1" '{for (i=1;i<NF;i++) if ($i==k) print $(i+1)}'; }

# ---- SQLite: the company is built once and kept in the cache folder ----
db=$cache/demo-$postings.db
if [ ! -s "$db" ]; then
    echo "building the benchmark company ($postings postings) in $db ..."
    rm -f "$db"
    /usr/bin/time -v "$bench" generate "$db" "$postings" 1 >"$cache/generate.out" 2>"$cache/generate.time"
    echo "generate: $(cat "$cache/generate.out")"
    echo "generate peak memory (MB): $(awk -F: '/Maximum resident/ {printf "%.0f", $2/1024}' "$cache/generate.time")"
fi
echo "sqlite file (MB): $(du -m "$db" | cut -f1)"

: >"$cache/sqlite.times"
for i in $(seq $runs); do
    /usr/bin/time -v "$bench" turnover "$db" 1 2 >"$cache/run.out" 2>"$cache/run.time"
    field seconds <"$cache/run.out" >>"$cache/sqlite.times"
    awk -F: '/Maximum resident/ {printf "%.0f\n", $2/1024}' "$cache/run.time" >>"$cache/sqlite.mem"
done
echo "OBROTOWKA_RAPORT sqlite: accounts $(field accounts <"$cache/run.out") status $(field status <"$cache/run.out")" \
     "median seconds $(median <"$cache/sqlite.times") (runs: $(tr '\n' ' ' <"$cache/sqlite.times"))" \
     "peak MB $(median <"$cache/sqlite.mem")"
rm -f "$cache/sqlite.mem"

# ---- PostgreSQL: PRAVIK_BENCH_PG_URL, or a throwaway server in the cache folder ----
url=${PRAVIK_BENCH_PG_URL:-}
started=""
if [ -z "$url" ]; then
    bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
    if [ -z "$bin" ]; then
        echo "PostgreSQL: no server binaries found; set PRAVIK_BENCH_PG_URL"; exit 0
    fi
    pgdir=$cache/pg
    as=""
    if [ "$(id -u)" = 0 ]; then
        # The server runs as "postgres", which cannot enter root's home folder.
        as="runuser -u postgres --"
        pgdir=${PRAVIK_BENCH_PG_DIR:-/var/tmp/pravik-bench-pg}
    fi
    if [ ! -d "$pgdir/data" ]; then
        mkdir -p "$pgdir"
        [ -n "$as" ] && chown postgres "$pgdir"
        $as "$bin/initdb" -D "$pgdir/data" -A trust -U postgres >/dev/null
    fi
    [ -n "$as" ] && chown -R postgres "$pgdir"
    $as "$bin/pg_ctl" -D "$pgdir/data" -l "$pgdir/log" -w \
        -o "-c listen_addresses='' -c unix_socket_directories=$pgdir -c fsync=off -c shared_buffers=256MB -c work_mem=64MB" start >/dev/null
    started="$as $bin/pg_ctl -D $pgdir/data -m fast stop"
    trap '$started >/dev/null' EXIT
    url="postgresql://postgres@/pravik_bench_$postings?host=$pgdir"
    if ! $as "$bin/psql" -h "$pgdir" -U postgres -Atc "select 1 from pg_database where datname='pravik_bench_$postings'" postgres | grep -q 1; then
        $as "$bin/psql" -h "$pgdir" -U postgres -qc "create database pravik_bench_$postings" postgres
        echo "building the benchmark company on PostgreSQL ..."
        /usr/bin/time -v "$bench" generate "$url" "$postings" 1 >"$cache/pg-generate.out" 2>"$cache/pg-generate.time"
        echo "generate (PostgreSQL): $(cat "$cache/pg-generate.out")"
    fi
fi
: >"$cache/pg.times"
for i in $(seq $runs); do
    "$bench" turnover "$url" 1 2 >"$cache/run.out"
    field seconds <"$cache/run.out" >>"$cache/pg.times"
done
echo "OBROTOWKA_RAPORT postgresql: accounts $(field accounts <"$cache/run.out") status $(field status <"$cache/run.out")" \
     "median seconds $(median <"$cache/pg.times") (runs: $(tr '\n' ' ' <"$cache/pg.times"))"
