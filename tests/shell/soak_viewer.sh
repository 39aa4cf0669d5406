#!/usr/bin/env bash
# A soak run: the native viewer with a few thousand pairs, driven for a while by random key
# taps and mouse moves. It must keep drawing (frames are counted as the 1 ms rests that end
# them), its resident memory must not grow after the warm-up, and it must still close
# cleanly at the end.
#   soak_viewer.sh VIEWER TOOLS_DIR [SECONDS]
viewer=$1
seconds=${3:-60}
. "$(dirname "$0")/x_session.sh"
[ -x "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$2"
cd "$sessionDir"
"$toolsDir/quelvar-generate" --tokens 3000 --axis 45000000 --seed 11 >date.txt

# strace only watches the sleeps, so the frames can be counted afterwards.
strace -f -qq -e trace=clock_nanosleep,nanosleep -o sleeps.txt "$viewer" >out.txt 2>err.txt &
viewerPid=$!
window=$(findViewerWindow 300) || fail "no viewer window appeared"
viewer_process=$(pgrep -P "$viewerPid" | head -n1)
[ -n "$viewer_process" ] || fail "cannot find the viewer under strace"
xdotool windowfocus "$window"

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$viewer_process/status"; }
keys=(m w s a d n l q Up Down Left Right space KP_Subtract KP_Add KP_6 KP_4 Return Escape)
RANDOM=20261207
driveFor() {
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do
    kill -0 "$viewer_process" 2>/dev/null || fail "the viewer died during the soak"
    if [ $((RANDOM % 4)) -eq 0 ]; then
      xdotool mousemove $((RANDOM % 1000)) $((RANDOM % 600))
    else
      key=${keys[$((RANDOM % ${#keys[@]}))]}
      xdotool keydown "$key"
      sleep 0.0$((2 + RANDOM % 7))
      xdotool keyup "$key"
    fi
    sleep 0.1$((RANDOM % 9))
  done
}

warmup=$((seconds / 4))
driveFor "$warmup"
before=$(rss)
driveFor $((seconds - warmup))
after=$(rss)

"$toolsDir/close_window" "$window"
for i in $(seq 100); do
  kill -0 "$viewerPid" 2>/dev/null || break
  sleep 0.1
done
status=0
wait "$viewerPid" || status=$?
viewerPid=
[ "$status" -eq 0 ] || fail "exit code $status after the soak"
[ ! -s err.txt ] || fail "standard error not empty: $(head -c 500 err.txt)"

frames=$(grep -c 'tv_nsec=1000000}' sleeps.txt || true)
pauses=$(grep -c 'tv_nsec=100000000}' sleeps.txt || true)
growth=$((after - before))
echo "soak: $frames frames, $pauses pauses in ${seconds}s; resident ${before} kB after warm-up, ${after} kB at the end (${growth} kB)"
[ "$frames" -ge 2000 ] || fail "only $frames frames drawn"
# A frame allocates nothing of its own; leave room for the allocator's and Mesa's slack.
[ "$growth" -le 1024 ] || fail "resident memory grew by $growth kB"
echo "soak: passed"
