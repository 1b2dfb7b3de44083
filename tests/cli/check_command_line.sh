#!/usr/bin/env bash
# The command line of the real program with no display at all, as over ssh: --version, --report
# and --export-csv answer on standard output; a file that cannot be read is named on standard error
# with exit status 1.
# Usage: check_command_line.sh EXAMORA VERSION
set -euo pipefail
examora=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C.UTF-8 "$1")
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

[ "$("${examora[@]}" --version)" = "Examora $2" ] || fail "--version"
printf 'Analysis;2005-01-10;30;6\r\nPhysics;2006-06-20;24;9\r\n' > "$dir/exams.txt"
"${examora[@]}" --report "$dir/exams.txt" | grep -qx '  Overall mark: 26.4' || fail "--report"
[ "$("${examora[@]}" --export-csv "$dir/exams.txt" | head -2 | tr -d '\r')" = $'name,date,mark,credits\nAnalysis,2005-01-10,30,6' ] ||
    fail "--export-csv"
status=0
"${examora[@]}" --report "$dir/missing.txt" 2> "$dir/error" >/dev/null || status=$?
[ "$status" = 1 ] || fail "a missing file gives status $status"
grep -q "missing.txt could not be read: No such file or directory" "$dir/error" || fail "the reason: $(cat "$dir/error")"
printf 'Analysis;2005-01-10;30;6\r\nnot an exam\r\n' > "$dir/one-bad.txt"
"${examora[@]}" --report "$dir/one-bad.txt" 2> "$dir/error" >/dev/null || fail "a line that is no exam ends the report"
grep -q "1 line of .*one-bad.txt could not be read as an exam" "$dir/error" || fail "unread lines: $(cat "$dir/error")"
status=0
"${examora[@]}" --report "$dir/exams.txt" "$dir/one-bad.txt" 2>/dev/null >/dev/null || status=$?
[ "$status" = 1 ] || fail "two files give status $status"
status=0
"${examora[@]}" --report --export-csv "$dir/exams.txt" 2>/dev/null >/dev/null || status=$?
[ "$status" = 1 ] || fail "both options give status $status"
status=0
"${examora[@]}" --report "$dir" 2>/dev/null >/dev/null || status=$?
[ "$status" = 1 ] || fail "a folder gives status $status"
# Every message has one prefix, and names a path once.
"${examora[@]}" --report "$dir" 2> "$dir/error" >/dev/null || true
[ "$(cat "$dir/error")" = "examora: $dir could not be read: it is a directory, not a file" ] || fail "folder: $(cat "$dir/error")"
status=0
"${examora[@]}" --bogus 2> "$dir/error" >/dev/null || status=$?
[ "$status" = 1 ] && [ "$(cat "$dir/error")" = "examora: Unknown option 'bogus' (see examora --help)" ] ||
    fail "an unknown option: $status $(cat "$dir/error")"
echo "command line answers without a display"
