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

# Made anew on every run, so that a demo file of an older build never hides what this one writes.
rm -f "$db" "$db-wal" "$db-shm"
"$pravik" --db "$db" db init --demo --postings 20000
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

# The cash account's sheet of March, the cash report with its summary, and the profit and loss
# account of the first quarter next to the same quarter of the previous year.
pdf="$out/kartoteka-konta-100.pdf"
"$pravik" --db "$db" --company 1 ledger --kind 68 --filter "PDD:konto='100' AND PDD:data_okresu=82244" \
  --description "Konto: 100" --pdf "$pdf"
echo "Account sheet of the cash account (March 2026) written to $pdf"
pdf="$out/raport-kasowy.pdf"
"$pravik" --db "$db" --company 1 cash --kind 66 --account 100 --period 3-2026 --summary --pdf "$pdf"
echo "Cash report (March 2026) written to $pdf"
pdf="$out/rachunek-zyskow-i-strat.pdf"
"$pravik" --db "$db" --company 1 --year 2 statement --name "Rachunek zysków i strat (wariant porównawczy)" \
  --from 01-01-2026 --to 31-03-2026 --pdf "$pdf"
echo "Profit and loss account (first quarter of 2026) written to $pdf"
# The budget unit (company 2) files its quarterly form: printed and as the XML for the receiving system.
pdf="$out/rb-28s.pdf"
"$pravik" --db "$db" --company 2 statement --name "Rb-28S" --group --quarter 1 --year 2026 --pdf "$pdf"
"$pravik" --db "$db" --company 2 statement --name "Rb-28S" --group --quarter 1 --year 2026 --xml "$out/rb-28s.xml"
echo "Budget form Rb-28S (first quarter of 2026) written to $pdf and $out/rb-28s.xml"
