#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds, and runs every test program
# (SQLite, a throwaway PostgreSQL server, ODBC, reports to PDF) through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build_dir=${PRAVIK_BUILD_DIR:-build}
results="$PWD/$build_dir/test-results"
rm -rf "$results"
mkdir -p "$results"
status=0
(cd "$build_dir" && GTEST_OUTPUT="xml:$results/" ctest --output-on-failure --parallel "$(nproc)" "$@") || status=$?
# One line over every test case of every program (CTest counts programs).
python3 - "$results" <<'PY'
import glob, sys, xml.etree.ElementTree as ET
tests = failed = skipped = 0
for f in glob.glob(sys.argv[1] + "/*.xml"):
    root = ET.parse(f).getroot()
    tests += int(root.get("tests", 0))
    failed += int(root.get("failures", 0)) + int(root.get("errors", 0))
    skipped += int(root.get("disabled", 0)) + int(root.get("skipped", 0))
print(f"{tests - failed - skipped} passed, {failed} failed, {skipped} skipped")
PY
exit $status
