#!/usr/bin/env bash
# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/.
# Unoptimised and without debug information, with Qt's headers precompiled per target, so that the
# build stays within a few minutes per core.
# The quarantine is switched off: with it, freed memory stays resident and the tests that check
# that long reports keep their memory flat would measure the sanitizer instead of the report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir=${PRAVIK_ASAN_BUILD_DIR:-build-asan}
flags="-O0 -fsanitize=address,undefined -fno-omit-frame-pointer"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=None -DPRAVIK_PRECOMPILE_QT=ON -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build "$dir" --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=0:allocator_release_to_os_interval_ms=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$dir" && ctest --output-on-failure --parallel "$(nproc)" --timeout 1200 "$@"
