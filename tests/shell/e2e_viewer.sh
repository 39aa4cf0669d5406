#!/usr/bin/env bash
# The viewer end to end in an X server of its own: the summary, the window, its picture,
# the controls through real key events, and closing it.
#   e2e_viewer.sh native VIEWER TOOLS_DIR    (the GLFW build)
#   e2e_viewer.sh wine VIEWER.exe TOOLS_DIR  (the Windows build under Wine)
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -x "$viewer" ] || [ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

if [ "$mode" = native ]; then
  # With no display there is no window: the viewer must say so and fail, not end with 0.
  status=0
  env -u DISPLAY "$viewer" >/dev/null 2>nodisplay.txt || status=$?
  [ "$status" -ne 0 ] && grep -q '^quelvar: ' nodisplay.txt ||
    fail "without a display: exit code $status, message '$(cat nodisplay.txt)'"
fi

prepareRunner "$mode"
"${run[@]}" "$viewer" >out.txt 2>err.txt &
viewerPid=$!

window=$(findViewerWindow 300) || fail "no viewer window appeared"
read -r winX winY winW winH < <(windowGeometry "$window")
xprop -id "$window" WM_NAME | grep -q '"Quelvar v0.92 https://quelvar.org"' || fail "wrong title: $(xprop -id "$window" WM_NAME)"
if [ "$mode" = wine ]; then
  # Wine's X window is the client area; its own frame, 4 px at the sides and the bottom
  # and the title bar at the top, makes up the outer size.
  [ $((winW + 2 * winX)) -eq 1000 ] && [ $((winH + winY + winX)) -eq 600 ] ||
    fail "outer size is not 1000 x 600: client $winW x $winH at $winX,$winY"
else
  xprop -id "$window" WM_CLASS | grep -q '"GLSample"' || fail "wrong class: $(xprop -id "$window" WM_CLASS)"
  [ "$winW $winH" = "1000 600" ] || fail "outer size is $winW x $winH, not 1000 x 600"
fi
clientX=$winX clientY=$winY clientW=$winW clientH=$winH

for i in $(seq 50); do
  grep -q '^Max len tandem' out.txt && break
  sleep 0.2
done
# The Windows C runtime writes text-mode line ends.
[ "$(tr -d '\r' <out.txt)" = "$(printf 'Count tandem load - 13\nMax len tandem - 400')" ] ||
  fail "summary on standard output: $(cat out.txt)"

xdotool windowfocus "$window"
sleep 0.5
shoot start.ppm
if [ "$mode" = native ]; then
  # The first frames are exactly what the literal per-bar passes draw offscreen at the
  # client size (the Windows C library draws other random colours, so only natively).
  "$toolsDir/literal_picture" date.txt "$clientW" "$clientH" literal.ppm || fail "no literal picture"
  convert start.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage client.ppm
  differ=$(compare -metric AE client.ppm literal.ppm null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "the window's picture differs from the literal passes' in $differ pixels"
fi
# The start camera looks along the floor towards +x: sky in the top left and bottom right
# corners, the floor running from the bottom middle to the far right, bars standing on it.
count() { "$toolsDir/frame_colours" "$1" $((clientX + $2)) $((clientY + $3)) $4 $5 | tr ' ' '\n' | awk -F= -v k="$6" '$1 == k {print $2}'; }
[ "$(count start.ppm 0 0 200 100 sky)" -eq 20000 ] || fail "the top left corner is not sky: $(colours start.ppm)"
[ "$(count start.ppm $((clientW - 200)) $((clientH - 100)) 200 100 sky)" -eq 20000 ] ||
  fail "the bottom right corner is not sky: $(colours start.ppm)"
[ "$(count start.ppm $((clientW / 4)) $((clientH / 2)) $((clientW / 2)) $((clientH / 2)) floor)" -gt $((clientW * clientH / 16)) ] ||
  fail "no floor in the lower middle: $(colours start.ppm)"
[ "$(classCount start.ppm blue)" -gt 500 ] || fail "no bars: $(colours start.ppm)"
[ "$(classCount start.ppm red)" -eq 0 ] || fail "a scale bar outside window mode: $(colours start.ppm)"
floorAtStart=$(classCount start.ppm floor)

floorGone() { shoot now.ppm; [ "$(classCount now.ppm floor)" -eq 0 ]; }
floorBack() { shoot now.ppm; [ "$(classCount now.ppm floor)" -eq "$floorAtStart" ]; }
pressUntil m "M did not hide the floor" floorGone
pressUntil m "M did not bring the floor back" floorBack

scaleBarShown() { shoot window.ppm; [ "$(classCount window.ppm red)" -gt 20 ]; }
pressUntil Return "Enter did not switch to window mode with its red scale bar" scaleBarShown

# Right slides the window 1,000 positions a frame: the scale bar moves on by itself.
windowSlides() { shoot a.ppm 0.1; shoot b.ppm 0.3; [ "$(differingPixels a.ppm b.ppm)" -gt 0 ]; }
pressUntil Right "Right did not slide the window" windowSlides
windowStill() { shoot a.ppm 0.2; shoot b.ppm 0.3; [ "$(differingPixels a.ppm b.ppm)" -eq 0 ]; }
pressUntil space "Space did not stop the slide" windowStill
barsMode() { shoot now.ppm; [ "$(classCount now.ppm red)" -eq 0 ]; }
pressUntil Return "Enter did not leave window mode" barsMode

# Held, L flips the style every frame; pressed under Space, whose pause ends the frame
# with nothing else to change, it flips once or not at all.
shoot lines.ppm
linesAt=$(classCount lines.ppm blue)
pointsShown() { shoot pts.ppm; [ "$(classCount pts.ppm blue)" -lt $((linesAt / 4)) ] && [ "$(classCount pts.ppm other)" -gt 0 ]; }
pressUntil space+l "L did not switch to points" pointsShown

linesBack() { shoot now.ppm; [ "$(differingPixels lines.ppm now.ppm)" -eq 0 ]; }
pressUntil space+l "L did not switch back to lines" linesBack

shoot before.ppm
compressed() { shoot now.ppm; [ "$(differingPixels before.ppm now.ppm)" -gt 0 ]; }
pressUntil n "N did not compress the axis" compressed

shoot before.ppm
xdotool keydown w
sleep 0.3
xdotool keyup w
shoot now.ppm
[ "$(differingPixels before.ppm now.ppm)" -gt 0 ] || fail "W did not move the camera"

# Captured, the cursor is pulled back to the look centre every frame; freed, it stays.
xdotool mousemove 100 100
sleep 0.5
cursorAt 400 300 || fail "the captured cursor was not pulled back to 400,300"
cursorStays() { xdotool mousemove 100 100; sleep 0.4; cursorAt 100 100; }
pressUntil q "Q did not free the cursor" cursorStays
xdotool key Escape
sleep 0.5
cursorAt 400 300 || fail "Escape did not capture the cursor again"

"$toolsDir/close_window" "$window"
for i in $(seq 100); do
  kill -0 "$viewerPid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$viewerPid" 2>/dev/null && fail "the viewer did not end when its window was closed"
status=0
wait "$viewerPid" || status=$?
viewerPid=
[ "$status" -eq 0 ] || fail "exit code $status after closing"
[ ! -s err.txt ] || fail "standard error not empty: $(head -c 500 err.txt)"
echo "e2e $mode: passed"
