#!/usr/bin/env bash
# The C host's journal and turnover statement against the command line's, on one demo database:
# the journal word for word, the statement's rows and totals line by line. The statement's
# description lines are the parameter window's, which a host calling the statement directly does
# not write, so its pages break elsewhere: the page totals and carry-overs are left out.
#
#   compare.sh BIN_DIR HOST_PROGRAM
set -euo pipefail
bin=$1
host=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pravik() { "$bin/pravik" --quiet "$@"; }

db=$work/demo.db
pravik --db "$db" db init --demo --postings 3000 --seed 1 >/dev/null
session=(--db "$db" --period 3-2026 --date 2026-03-31)
pravik "${session[@]}" context >"$work/context.txt"
year=$(sed -n 's/^DANE_LATA_OBROTOWE=//p' "$work/context.txt")
period=$(sed -n 's/^DANE_DATA_OKRESU=//p' "$work/context.txt")
filter="PDD:id_lata_obrot=$year AND PDD:data_okresu=$period"

pravik "${session[@]}" journal --procedure PRN_71_DZIENNIK_P_K --filter "$filter" --title "Dziennik księgowań" \
    --pdf "$work/cli-journal.pdf"
pravik "${session[@]}" turnover --pdf "$work/cli-turnover.pdf"

# The host must make what it needs itself: no display, no platform chosen for it.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$host" "$work/context.txt" "$db" "$work/host-journal.pdf" "$work/host-turnover.pdf" "$filter" || status=$?
if [ "$status" -ne 0 ]; then
    echo "compare: the C host ended with $status" >&2
    exit 1
fi

for f in cli-journal host-journal cli-turnover host-turnover; do
    pdftotext -layout "$work/$f.pdf" "$work/$f.txt"
done
if ! diff -u "$work/cli-journal.txt" "$work/host-journal.txt" >&2; then
    echo "compare: the C host's journal differs from the command line's" >&2
    exit 1
fi
figures() {
    grep -E '[0-9],[0-9]{2}' "$1" | sed -E 's/[[:space:]]+/ /g; s/^ //' |
        grep -vE '^(Razem na stronie|Z przeniesienia|Do przeniesienia) ' || true
}
figures "$work/cli-turnover.txt" >"$work/cli-figures.txt"
figures "$work/host-turnover.txt" >"$work/host-figures.txt"
if [ ! -s "$work/cli-figures.txt" ]; then
    echo "compare: the command line's statement has no figures" >&2
    exit 1
fi
if ! diff -u "$work/cli-figures.txt" "$work/host-figures.txt" >&2; then
    echo "compare: the C host's turnover statement differs from the command line's" >&2
    exit 1
fi
echo "compare: journal ($(wc -l <"$work/cli-journal.txt") lines) and statement ($(wc -l <"$work/cli-figures.txt") figure lines) agree"
