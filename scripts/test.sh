#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds, and runs every test program
# (SQLite, a throwaway PostgreSQL server, ODBC, reports to PDF) through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build_dir=${PRAVIK_BUILD_DIR:-build}
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" "$@"
