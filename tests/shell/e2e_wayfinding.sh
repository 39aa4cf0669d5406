#!/usr/bin/env bash
# The finding-your-way keys in the real viewer, in an X server of its own: H, K and C change
# the picture and pressing them round gives back the exact start picture; the main row's
# = and - act as keypad plus and minus; R undoes threshold, zoom and flight; with the cursor
# free a click on a bar prints its pair and a click on the sky prints nothing; P saves the
# frame as shown and prints the quelvar-snapshot command that draws it again, pixel for pixel,
# one picture a press however long it is held; at a size the snapshot cannot draw it says
# so instead of printing the command.
#   e2e_wayfinding.sh native VIEWER TOOLS_DIR    (the GLFW build)
#   e2e_wayfinding.sh wine VIEWER.exe TOOLS_DIR  (the Windows build under Wine; its C library
#                                                  draws other random colours, so the saved
#                                                  frame is held against the window alone)
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

# Pairs with strand and identity (two without), one far taller than the rest, one of 40 bp
# that the start threshold just hides (40 / 10000 x 7 = 0.028), and one with a bar in the
# far part that the arrows slide.
printf '%s\n' 5000/25000/300/0/99.5 15000/60000/240/1/97.2 30000/90000/180/0/91 \
  45000/120000/10000/1/99.1 70000/150000/120/0 95000/180000/40/1/85 150000/2050000/2000/0 >date.txt
# Every line a click may print: each pair seen from either bar.
awk -F/ '{id = NF > 4 ? sprintf("%.2f", $5) : "."
  printf "pair\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", $1, $2, $3, $4, id, $1 + $3 - 1, $2 + $3 - 1
  printf "pair\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", $2, $1, $3, $4, id, $2 + $3 - 1, $1 + $3 - 1}' date.txt >pair-lines.txt

prepareRunner "$mode"
openViewer
shoot start.ppm 1
[ "$(classCount start.ppm blue)" -gt 100 ] || fail "no bars at the start: $(colours start.ppm)"

changed() { shoot now.ppm; [ "$(differingPixels start.ppm now.ppm)" -gt 0 ]; }
asAtStart() { shoot now.ppm; [ "$(differingPixels start.ppm now.ppm)" -eq 0 ]; }

pressUntil h "H did not show the HUD" changed
pressUntil h "H pressed again did not give back the start picture" asAtStart
pressUntil k "K did not show the links" changed
pressUntil k "K pressed again did not give back the start picture" asAtStart
pressUntil c "C did not colour the bars by strand" changed
shoot strand.ppm
byIdentity() { shoot now.ppm; [ "$(differingPixels strand.ppm now.ppm)" -gt 0 ] && [ "$(differingPixels start.ppm now.ppm)" -gt 0 ]; }
pressUntil c "C did not colour the bars by identity" byIdentity
pressUntil c "C pressed round did not give back the start picture" asAtStart

# = lowers the threshold as keypad plus does: the 40 bp pair appears; - hides it again.
pressUntil equal "= did not lower the threshold" changed
pressUntil minus "- did not raise the threshold back" asAtStart

# R: threshold, zoom and a flight undone at once.
pressUntil equal "= did not lower the threshold" changed
pressUntil n "N did not compress the axis" changed
xdotool keydown w
sleep 0.3
xdotool keyup w
pressUntil r "R did not give back the start picture" asAtStart

# Picking: the cursor freed, a click on a bar prints that bar's pair; on the sky, nothing.
cursorStays() { xdotool mousemove 100 100; sleep 0.4; cursorAt 100 100; }
pressUntil q "Q did not free the cursor" cursorStays
shoot free.ppm
# A blue pixel half-way down the list of bar pixels, in client coordinates.
read -r barX barY < <(convert free.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage txt:- |
  awk -F'[,: ()]+' 'NR > 1 && $3 < 40 && $4 < 40 && $5 > 90 {x[n] = $1; y[n++] = $2}
    END {if (n) print x[int(n / 2)], y[int(n / 2)]}')
[ -n "${barY:-}" ] || fail "no bar pixel to click on"
before=$(grep -c '^pair' out.txt || true)
clickForPair "$barX" "$barY"
[ -n "$clicked" ] || fail "a click on the bar at $barX,$barY printed nothing"
grep -qxF "$clicked" pair-lines.txt || fail "the click printed '$clicked', no pair of the list"
xdotool mousemove $((clientX + 5)) $((clientY + 5))
sleep 0.3
xdotool click 1
sleep 0.5
[ "$(grep -c '^pair' out.txt)" -eq $((before + 1)) ] || fail "a click on the sky printed: $(tail -n1 out.txt)"

# P with the HUD, links, strand colours and the picked bar under the pointer: the saved
# frame is the one shown, and the printed command draws it again.
xdotool mousemove $((clientX + barX)) $((clientY + barY))
pressUntil h "H did not show the HUD" changed
shoot hud.ppm
pressUntil k "K did not show the links" eval '[ "$(shoot now.ppm; differingPixels hud.ppm now.ppm)" -gt 0 ]'
shoot links.ppm
pressUntil c "C did not colour by strand" eval '[ "$(shoot now.ppm; differingPixels links.ppm now.ppm)" -gt 0 ]'
# Presses P until quelvar-$1.png is saved, checks it is the frame shown and, natively, that
# the printed command draws it again; leaves the command in $command.
saveAndRedraw() {
  local picture=quelvar-$1.png
  pressUntil p "P did not save $picture" eval "sleep 0.5; [ -f $picture ] && grep -q '^saved $picture: ' out.txt"
  shoot shown.ppm
  convert shown.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage shown.png
  [ "$(compare -metric AE "$picture" shown.png null: 2>&1)" = 0 ] ||
    fail "$picture is not the frame shown: $(compare -metric AE "$picture" shown.png null: 2>&1) pixels differ"
  command=$(tr -d '\r' <out.txt | sed -n "s/^saved $picture: //p")
  if [ "$mode" = native ]; then
    rm -f snapshot.png
    eval "\"\$toolsDir\"/$command --out snapshot.png" >/dev/null || fail "the printed command failed: $command"
    [ "$(compare -metric AE "$picture" snapshot.png null: 2>&1)" = 0 ] ||
      fail "the printed command draws another picture: $(compare -metric AE "$picture" snapshot.png null: 2>&1) pixels differ ($command)"
  fi
}
saveAndRedraw 000
case "$command" in
  "quelvar-snapshot --size ${clientW}x${clientH} --camera "*"--hud --links --colour strand --pick "*) ;;
  *) fail "printed command: $command" ;;
esac
# The far part slid by Right for a few frames, then stopped: the next number, and the
# slides written down as moves that make the same picture.
tap Right
sleep 0.3
tap space
saveAndRedraw 001
case "$command" in
  *" --moves x+"*) ;;
  *) fail "the slide is not in the printed command: $command" ;;
esac

# Held for many frames, P saves one picture.
xdotool keydown p
sleep 1
xdotool keyup p
sleep 0.5
[ "$(ls quelvar-*.png | wc -l)" -eq 3 ] || fail "holding P saved $(ls quelvar-*.png | tr '\n' ' ')"
grep -q '^saved quelvar-002.png: quelvar-snapshot ' out.txt || fail "the held P printed: $(tail -n1 out.txt)"

if [ "$mode" = native ]; then
  # Wider than the snapshot draws: the picture is saved, and no command that would fail is printed.
  xdotool windowsize "$window" 8300 200
  sleep 1
  pressUntil p "P did not save quelvar-003.png at 8300 wide" eval "sleep 0.5; [ -f quelvar-003.png ]"
  [ "$(identify -format %wx%h quelvar-003.png)" = 8300x200 ] || fail "quelvar-003.png is $(identify -format %wx%h quelvar-003.png)"
  grep -qx 'saved quelvar-003.png: at 8300x200 it is larger than quelvar-snapshot draws (8192 a side at most), so no command draws it again' out.txt ||
    fail "P at 8300 wide printed: $(tail -n1 out.txt)"
fi

closeViewer
[ ! -s err.txt ] || fail "standard error not empty: $(head -c 500 err.txt)"
echo "e2e wayfinding $mode: passed"
