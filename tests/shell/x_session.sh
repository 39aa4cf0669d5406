# Shared by the end-to-end scripts: a private X server, a temporary folder holding a small
# tandem list, the viewer's window, screenshots and key presses. Source it, then call
# startSession TOOLS_DIR.

set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Kills what this session started, by process id, and removes its folder.
endSession() {
  local pid
  for pid in ${viewerPid:-} ${xvfbPid:-}; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  [ -n "${sessionDir:-}" ] && rm -rf "$sessionDir"
}

# Starts Xvfb on a display number it picks itself, and a folder with date.txt.
startSession() {
  toolsDir=$1
  sessionDir=$(mktemp -d /tmp/quelvar-e2e-XXXXXX)
  trap endSession EXIT
  local fdFile="$sessionDir/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdFile" 2>"$sessionDir/xvfb.log" &
  xvfbPid=$!
  local i
  for i in $(seq 100); do
    [ -s "$fdFile" ] && break
    sleep 0.1
  done
  [ -s "$fdFile" ] || fail "Xvfb did not start: $(cat "$sessionDir/xvfb.log")"
  export DISPLAY=":$(head -n1 "$fdFile")"
  # Six pairs near the floor's start, all well above the length threshold.
  printf '%s\n' 5000/25000/300/0 15000/60000/240/1 30000/90000/180/0 \
    45000/120000/400/1 70000/150000/120/0 95000/180000/360/1 >"$sessionDir/date.txt"
  # The look centre, so the first frame does not turn the camera (-noreset keeps the
  # pointer there when this client leaves).
  xdotool mousemove 400 300
}

# Waits for a mapped window whose title starts with the viewer's and prints its id.
findViewerWindow() {
  local i id
  for i in $(seq "${1:-150}"); do
    id=$(xdotool search --onlyvisible --name '^Quelvar v0\.92 ' 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Prints "x y width height" of a window, in root coordinates.
windowGeometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# Saves the screen as a PPM after letting a few frames pass.
shoot() {
  sleep "${2:-0.4}"
  import -window root -depth 8 "ppm:$1"
}

# Prints the pixel classes of the viewer's client area in a screenshot.
colours() {
  "$toolsDir/frame_colours" "$1" $clientX $clientY $clientW $clientH
}

# Count of one class ("sky", "floor", "blue", "red", "other") in a screenshot.
classCount() {
  colours "$1" | tr ' ' '\n' | awk -F= -v k="$2" '$1 == k {print $2}'
}

differingPixels() {
  "$toolsDir/frame_colours" --diff "$1" "$2" $clientX $clientY $clientW $clientH
}

# A short press, held for less than the viewer's 100 ms pause so that one seen press acts
# once. A press that falls wholly between two frames is not seen; callers check the effect
# and press again. "space+l" holds Space too: its pause makes L, which has none, seen in
# one frame at most.
# --delay 0: xdotool's default 12 ms between keys would let a fast frame see Space alone
# and pause through L's whole press.
tap() {
  local keys=${1//+/ }
  xdotool keydown --delay 0 $keys
  sleep 0.05
  xdotool keyup --delay 0 $keys
}

# Presses KEY until CHECK (a command) succeeds, a few times at most.
pressUntil() {
  local key=$1 what=$2
  shift 2
  local i
  for i in 1 2 3 4 5 6 7 8; do
    tap "$key"
    if "$@"; then
      return 0
    fi
  done
  fail "$what"
}

cursorAt() {
  local loc
  loc=$(xdotool getmouselocation | awk '{print $1, $2}')
  [ "$loc" = "x:$1 y:$2" ]
}

# Sets run to what starts the viewer: nothing in front natively; for mode "wine" the Wine
# loader, with a fresh prefix in the session's folder.
prepareRunner() {
  run=()
  [ "$1" = wine ] || return 0
  export WINEPREFIX="$sessionDir/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  run=(wine)
  [ -x /usr/lib/wine/wine64 ] && run=(/usr/lib/wine/wine64)
  timeout 300 wineboot -i >/dev/null 2>&1 || fail "wineboot could not make the Wine prefix"
}

# Starts $viewer with these arguments (output in out.txt and err.txt), waits for its window
# and its summary and gives it the focus; sets viewerPid, window and the client geometry.
openViewer() {
  "${run[@]}" "$viewer" "$@" >out.txt 2>err.txt &
  viewerPid=$!
  window=$(findViewerWindow 300) || fail "no viewer window appeared for: $*"
  read -r clientX clientY clientW clientH < <(windowGeometry "$window")
  local i
  for i in $(seq 50); do
    grep -q '^Max len tandem' out.txt && break
    sleep 0.2
  done
  xdotool windowfocus "$window"
  sleep 0.5
}

# Clicks at client pixel X Y and waits for a new "pair" line on out.txt; sets clicked to
# the newest one (empty when none came).
clickForPair() {
  local before i
  before=$(grep -c '^pair' out.txt || true)
  xdotool mousemove $((clientX + $1)) $((clientY + $2))
  sleep 0.3
  xdotool click 1
  for i in $(seq 20); do
    [ "$(grep -c '^pair' out.txt || true)" -gt "$before" ] && break
    sleep 0.1
  done
  clicked=$(tr -d '\r' <out.txt | grep '^pair' | tail -n1)
  [ "$(grep -c '^pair' out.txt || true)" -gt "$before" ] || clicked=
}

# Presses P until the next picture is saved (counted in $saved from 0, one viewer after
# another in one folder); leaves its printed command in $command.
saved=0
saveCommand() {
  local picture
  picture=$(printf 'quelvar-%03d.png' "$saved")
  pressUntil p "P did not save $picture" eval "sleep 0.5; grep -q '^saved $picture: ' out.txt"
  command=$(tr -d '\r' <out.txt | sed -n "s/^saved $picture: //p")
  saved=$((saved + 1))
}

# Closes the viewer's window as a window manager would and checks it ends with exit code 0.
closeViewer() {
  "$toolsDir/close_window" "$window"
  local status=0
  wait "$viewerPid" || status=$?
  viewerPid=
  [ "$status" -eq 0 ] || fail "exit code $status after closing${1:+, for: $1}"
}
