#!/usr/bin/env bash
# Configures and builds pravik into build/ (Release, ccache, all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${PRAVIK_BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build_dir" --parallel "$(nproc)" "$@"
