#!/usr/bin/env bash
# Builds Examora and its tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole
# test suite; any report fails the run.
# Usage: scripts/sanitize.sh [build folder, default build-asan]
# Leaks that belong to Qt and the libraries under it are suppressed in scripts/lsan.supp, each with
# the reason; nothing of Examora's own is.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-asan}"
"$here/scripts/install-reliability-deps.sh"

# -O1 keeps the build and the run quick enough for CI; line tables are all a report needs.
flags="-O1 -gline-tables-only -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DEXAMORA_BUILD_BENCH=OFF -DEXAMORA_BUILD_FUZZ=OFF >/dev/null
nice ninja -C "$build"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
unset QT_QPA_PLATFORMTHEME
cd "$build"
ctest --output-on-failure -j2 --timeout 600
