#!/usr/bin/env bash
# The main job on the embedded default: installs what is missing, builds, creates the demo company
# in a SQLite file and prints a real report of it to PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build_dir=${PRAVIK_BUILD_DIR:-build}
pravik="$build_dir/bin/pravik"
out=${PRAVIK_DEMO_DIR:-out}
mkdir -p "$out"
db="$out/demo.db"

if [ ! -f "$db" ]; then
  "$pravik" --db "$db" db init --demo --postings 20000
fi
"$pravik" --db "$db" db check

echo
echo "Turnovers of account 201 in the demo company (through the SQL gateway):"
"$pravik" --db "$db" --company 1 sql \
  "select top 6 nr_konta, data_okresu, obroty_wn, obroty_ma from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 and id_lata_obrot=2 and nr_konta='201' and sym_waluty='PLN' order by data_okresu"

# The demo company keeps partial journals: the sales journal of March 2026.
pdf="$out/dziennik-ksiegowan.pdf"
"$pravik" --db "$db" --company 1 --period 3-2026 journal --kind 71 --batch SPRZ --pdf "$pdf"
echo
echo "Posting journal (sales, March 2026) of the demo company written to $pdf"

# The trial balance: analytic turnover and balance statement of March 2026 with group totals.
pdf="$out/zestawienie-obrotow-i-sald.pdf"
"$pravik" --db "$db" --company 1 --period 3-2026 turnover --kind 3 --group-totals --pdf "$pdf"
echo "Turnover and balance statement (March 2026) of the demo company written to $pdf"
