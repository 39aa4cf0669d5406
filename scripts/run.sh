#!/usr/bin/env bash
# Installs what is missing (scripts/deps.sh, as scripts/test.sh does), builds the viewer and
# starts it in samples/, where it reads the bundled date.txt. With a display it runs until
# its window is closed. Without one (DISPLAY unset) it starts a private Xvfb, lets the
# viewer draw for a few seconds, saves a picture of its window as a PNG, closes it and says
# where the picture is.
#   QUELVAR_BUILD_DIR  build folder (default build)
#   QUELVAR_SECONDS    how long to let it draw without a display (default 4)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUELVAR_BUILD_DIR:-build}
case $build in /*) ;; *) build="$root/$build" ;; esac

bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quelvar close_window >/dev/null
viewer="$build/bin/quelvar"
cd "$root/samples"

if [ -n "${DISPLAY:-}" ]; then
  exec "$viewer"
fi

shot="$build/quelvar-screenshot.png"
work=$(mktemp -d)
xvfb=
viewerPid=
cleanup() {
  [ -n "$viewerPid" ] && kill "$viewerPid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "run.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xdotool mousemove 400 300  # the look centre: the first frame keeps the start camera

"$viewer" &
viewerPid=$!
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Quelvar v0\.92 ' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "run.sh: the viewer opened no window" >&2; exit 1; }
sleep "${QUELVAR_SECONDS:-4}"
import -window "$window" "$shot"
"$build/bin/close_window" "$window"
status=0
wait "$viewerPid" || status=$?
viewerPid=
[ "$status" -eq 0 ] || { echo "run.sh: the viewer ended with exit code $status" >&2; exit 1; }
echo "picture of the viewer's window: $shot"
