#!/usr/bin/env bash
# The frame rate a user sees: the viewer in a private Xvfb (Mesa llvmpipe, as the frame
# benchmarks draw), its frames counted by Mesa's own HUD (GALLIUM_HUD=fps, dumped to a file;
# its small graph in the corner is the only thing it adds), once the window shows.
# Prints the mean frames a second over the seconds after the load, camera still, then with
# the camera turning (the pointer moved across the window, as mouse look turns it).
#
# bench/frame/live-fps.sh SECONDS [VIEWER ARGUMENTS]   (none: date.txt of the current folder)
# QUELVAR_FPS_SHOT=FILE.png keeps a screenshot of the still view, to see what was measured;
# QUELVAR_FPS_KEYS="K ..." are pressed once the window shows (e.g. the overview's key).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
viewer=$root/${QUELVAR_BUILD:-build}/bin/quelvar
seconds=${1:-10}
shift || true
work=$(mktemp -d)
xvfb= quelvar=
cleanup() {
  for pid in $quelvar $xvfb; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
xdotool mousemove 400 300
mkdir "$work/hud"
GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=0.5 GALLIUM_HUD_DUMP_DIR=$work/hud "$viewer" "$@" >"$work/out.txt" 2>&1 &
quelvar=$!
window=
for _ in $(seq 1200); do  # the load of a large file comes before the window
  window=$(xdotool search --onlyvisible --name '^Quelvar' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$quelvar" 2>/dev/null || { cat "$work/out.txt" >&2; exit 1; }
  sleep 0.5
done
[ -n "$window" ] || { echo "live-fps.sh: no window" >&2; exit 1; }
sleep 3  # past the progress screen and the first frames
xdotool windowfocus "$window"
for key in ${QUELVAR_FPS_KEYS:-}; do
  xdotool keydown --delay 0 "$key" sleep 0.05 keyup --delay 0 "$key"
  sleep 0.5
done
still_from=$(wc -l <"$work/hud/fps" 2>/dev/null || echo 0)
sleep "$seconds"
turn_from=$(wc -l <"$work/hud/fps")
[ -z "${QUELVAR_FPS_SHOT:-}" ] || import -window root "$QUELVAR_FPS_SHOT"
end=$((SECONDS + seconds))
x=300
while [ "$SECONDS" -lt "$end" ]; do
  x=$((x == 300 ? 500 : 300))
  xdotool mousemove --window "$window" "$x" 300
  sleep 0.05
done
last=$(wc -l <"$work/hud/fps")
awk -v a="$still_from" -v b="$turn_from" -v c="$last" '
  NR > a && NR <= b { s += $NF; n++ } NR > b && NR <= c { t += $NF; m++ }
  END { printf "frames a second: still %.1f (%d samples), turning %.1f (%d samples)\n", n ? s / n : 0, n, m ? t / m : 0, m }' "$work/hud/fps"
