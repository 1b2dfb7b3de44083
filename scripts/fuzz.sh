#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz and runs each from its seed corpus for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [build folder, default build-fuzz]
# Any crash, leak, hang or broken property fails the run. Each target prints the inputs it tried:
#   fuzz <target>: <n> inputs tried in <s> s
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$here/build-fuzz}"
"$here/scripts/install-reliability-deps.sh"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DEXAMORA_BUILD_FUZZ=ON \
    -DEXAMORA_BUILD_TESTS=OFF -DEXAMORA_BUILD_BENCH=OFF >/dev/null
targets=(conversions record_line data_file)
nice ninja -C "$build" "${targets[@]/#/fuzz_}" >"$build/build.log" 2>&1 ||
    { tail -n 30 "$build/build.log"; echo "fuzz: the targets did not build" >&2; exit 1; }

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

# All at once, so that the wall time is the time given; each works on a copy of its seeds so that
# the repository's corpus stays small, and keeps any crashing input in its own folder.
run_target() {
    local target="$1" work="$build/fuzz-work/$1"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/crashes"
    cp "$here/fuzz/corpus/$target/"* "$work/corpus/"
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -malloc_limit_mb=1024 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$work/crashes/" "$work/corpus" >"$work/log" 2>&1
}
declare -A pids
status=0
for target in "${targets[@]}"; do
    run_target "$target" &
    pids[$target]=$!
done
for target in "${targets[@]}"; do
    log="$build/fuzz-work/$target/log"
    if wait "${pids[$target]}"; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
        echo "fuzz $target: ${runs:-0} inputs tried in $seconds s"
    else
        status=1
        echo "fuzz $target: FAILED (log: $log)"
        grep -E -A30 'ERROR:|broken property|runtime error' "$log" | head -60 || tail -40 "$log"
    fi
done
exit $status
