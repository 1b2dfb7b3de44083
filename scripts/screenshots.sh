#!/usr/bin/env bash
# Makes the README's screenshots: the statistics view, the entry panel, the graphs, the what-if view
# and the list, taken from the
# built program on a virtual screen. Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
out="$here/docs/screenshots"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

cat >"$work/Examora.TXT" <<'DATA'
Analysis 1;1/15/2004;30;6
Physics 1;6/20/2004;27;9
Chemistry;2/10/2005;24;6
Programming;7/1/2005;30;12
Algebra;9/15/2005;28;6
Physics 2;1/20/2006;25;9
Statistics;6/30/2006;29;6
Analysis 2;9/10/2006;26;9
DATA
sed -i 's/$/\r/' "$work/Examora.TXT"

Xvfb :95 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
sleep 1
export DISPLAY=:95
openbox >/dev/null 2>&1 &
sleep 1
(cd "$work" && LANG=en_US.UTF-8 QT_QPA_PLATFORMTHEME= "$build/src/examora" >/dev/null 2>&1 &)
window=$(xdotool search --sync --onlyvisible --name '^Examora$' | head -n 1)
sleep 1
shoot() { sleep 1; import -window "$window" "$out/$1.png"; }
shoot statistics
xdotool key --window "$window" alt+a
xdotool type --delay 30 "Geometry"
xdotool key Tab Tab
xdotool type --delay 30 "27"
xdotool key Tab
xdotool type --delay 30 "6"
shoot entry-panel
xdotool key --window "$window" alt+g
sleep 0.5
xdotool key c
sleep 1
xdotool mousemove 640 420
shoot graph-marks-credits
xdotool key --window "$window" alt+g
sleep 0.5
xdotool key v
sleep 1
xdotool mousemove 700 300
shoot graph-marks
xdotool key --window "$window" alt+w
sleep 0.5
xdotool key alt+o
sleep 0.5 # a mnemonic presses its button after a short animation
xdotool type --delay 30 "Thesis"
xdotool key Tab
xdotool type --delay 30 "12"
xdotool key Tab
xdotool type --delay 30 "30L"
xdotool key Return alt+t
xdotool type --delay 30 "28"
shoot what-if
xdotool key --window "$window" alt+l
sleep 1
xdotool key Down space
shoot exam-list
echo "screenshots written to $out"
