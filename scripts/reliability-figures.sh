#!/usr/bin/env bash
# Prints the reliability figures in one table: the inputs each fuzz target tried, the save fault
# cases run and passed, the kills during a save and the partial files found after them (must be 0),
# and the round-trip records checked. Exits non-zero when any of them failed.
# Usage: scripts/reliability-figures.sh [seconds per fuzz target, default 10]
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-10}"
build="$here/build-rel"
logs="$build/reliability"
mkdir -p "$logs"
status=0

bash "$here/scripts/fuzz.sh" "$seconds" >"$logs/fuzz.log" 2>&1 || status=1

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DEXAMORA_BUILD_BENCH=OFF >/dev/null || exit 1
nice ninja -C "$build" tst_save_faults tst_save_kill tst_round_trips examora_save_loop >"$logs/build.log" 2>&1 ||
    { cat "$logs/build.log"; exit 1; }
for t in tst_save_faults tst_save_kill tst_round_trips; do
    env QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= LANG=C.UTF-8 TZ=UTC \
        "$build/tests/$t" >"$logs/$t.log" 2>&1 || status=1
done

count() { grep -c "figure $1" "$logs/$2.log" || true; }
value() { sed -n "s/.*figure $1 \([0-9]*\).*/\1/p" "$logs/$2.log" | tail -1; }
sum_records() { awk '/figure round-trip-records/ { for (i = 1; i < NF; i++) if ($i == "round-trip-records") n += $(i + 1) } END { print n + 0 }' "$logs/tst_round_trips.log"; }
row() { printf '| %-46s | %20s |\n' "$1" "$2"; }

echo
row "Figure" "Value"
printf '|%s|%s|\n' "$(printf -- '-%.0s' {1..48})" "$(printf -- '-%.0s' {1..22})"
while read -r _ target runs _; do
    row "fuzz ${target%:}: inputs tried (${seconds} s)" "$runs"
done < <(grep '^fuzz .* inputs tried' "$logs/fuzz.log")
grep '^fuzz .*FAILED' "$logs/fuzz.log" | while read -r _ target _; do row "fuzz ${target%:}" "FAILED"; done
row "save fault cases run" "$(count fault-case-run tst_save_faults)"
row "save fault cases passed" "$(count fault-case-passed tst_save_faults)"
row "kills during a save (SIGKILL, 200,000 lines)" "$(value kills-during-save tst_save_kill) of $(value kills tst_save_kill)"
row "partial files found after a kill (must be 0)" "$(value partial-files tst_save_kill)"
row "round-trip records checked" "$(sum_records)"
for t in tst_save_faults tst_save_kill tst_round_trips; do
    row "$t" "$(grep -o 'Totals: [0-9]* passed, [0-9]* failed' "$logs/$t.log" | sed 's/Totals: //' || echo 'did not finish')"
done
[ $status -eq 0 ] || echo "Some figures come from failed runs: see $logs"
exit $status
