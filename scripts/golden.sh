#!/usr/bin/env bash
# Rewrites the expectations of the command-line golden cases (tests/cli/<command>/<case>/) from a
# run on SQLite, checks that PostgreSQL prints the same, and shows what changed for review.
#
#   scripts/golden.sh                 every case
#   scripts/golden.sh 'journal_*'     cases whose test name matches (command_case, "-" written "_")
#
# Review the diff, then commit the changed expected.txt and statements.sql with the change that
# caused them. A new case is a folder with an "args" file; this script writes its expectations.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PRAVIK_BUILD_DIR:-build}
pattern=${1:-*}
[ -f "$build_dir/CMakeCache.txt" ] || scripts/build.sh
cmake --build "$build_dir" --target test_cli pravik_cli --parallel 2 >/dev/null
export QT_QPA_PLATFORM=offscreen PRAVIK_SOURCE_DIR="$PWD" PRAVIK_BINARY_DIR="$PWD/$build_dir"
PRAVIK_GOLDEN_UPDATE=1 "$build_dir/tests/test_cli" --gtest_brief=1 --gtest_filter="Cases/Golden.*/${pattern}_SQLite" || {
  echo "golden: the SQLite run failed (see above); expectations may be partly written" >&2
  exit 1
}
status=0
"$build_dir/tests/test_cli" --gtest_brief=1 --gtest_filter="Cases/Golden.*/${pattern}_PostgreSQL" || status=1
git --no-pager diff --stat -- tests/cli
git --no-pager diff -- tests/cli
git ls-files --others --exclude-standard -- tests/cli | sed 's/^/new: /'
if [ $status -ne 0 ]; then
  echo "golden: PostgreSQL does not print what SQLite printed (see above)" >&2
fi
exit $status
