#!/usr/bin/env bash
# Finding one's way on a real assembly (183 contigs self-aligned by minimap2), in the real
# viewer: started with a file, the first picture is the start camera's wherever the pointer
# is; . prints the longest shown pair's line in contig names and positions, as
# quelvar-summary --pairs lists it first; G, a typed NAME:POS and Enter move the camera
# there (P's printed command shows it, and quelvar-snapshot --goto NAME:POS draws the same)
# and Enter leaves window mode alone; Page Up doubles the length threshold and Page Down
# halves it back, and a hundred Page Ups stop at the longest pair, in a command that runs;
# a 120 ms press of H toggles the HUD once; a click on a bar over an annotation feature
# prints the feature's name; P's command redraws a picture shaped by load options, filters
# and looks.
#   e2e_navigation.sh native VIEWER TOOLS_DIR | wine VIEWER.exe TOOLS_DIR
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

minimap2 -c -X /usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz \
  /usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz >self.paf 2>/dev/null
"$toolsDir/quelvar-summary" --pairs --all-sequences self.paf >pairs.tsv 2>/dev/null
read -r length name start partnerName partnerStart < <(awk -F'\t' 'NR == 2 {print $1, $2, $3, $5, $6}' pairs.tsv)
[ -n "${partnerStart:-}" ] || fail "quelvar-summary --pairs listed nothing: $(head -n3 pairs.tsv)"

# One feature over each contig, named after it: whatever bar a click finds, its ends lie on
# the features named after their contigs.
"$toolsDir/quelvar-summary" --all-sequences self.paf 2>&1 >/dev/null | tr -d '\r' |
  awk -F'\t' '/^  / {sub(/^  /, "", $1); printf "%s\t0\t%s\tspan_%s\n", $1, $3, $1}' >contigs.bed
[ -s contigs.bed ] || fail "no offset table to write contigs.bed from"

prepareRunner "$mode"
xdotool mousemove 37 811  # anywhere but the look centre
openViewer --all-sequences self.paf
shoot start.ppm 1
xdotool mousemove 900 120
shoot moved.ppm
[ "$(differingPixels start.ppm moved.ppm)" -eq 0 ] || fail "the pointer turned the start camera"
if [ "$mode" = native ]; then
  convert start.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage start.png
  "$toolsDir/quelvar-snapshot" --list self.paf --all-sequences --size "${clientW}x${clientH}" \
    --out snapshot.png >/dev/null 2>&1 || fail "quelvar-snapshot failed"
  [ "$(compare -metric AE start.png snapshot.png null: 2>&1)" = 0 ] ||
    fail "the first picture is not the start camera's: $(compare -metric AE start.png snapshot.png null: 2>&1) pixels differ"
fi

# . : the longest pair, its ends named.
pressUntil period ". printed no pair" eval "sleep 0.3; grep -q '^pair' out.txt"
stepped=$(tr -d '\r' <out.txt | grep '^pair' | head -n1)
[ "$(echo "$stepped" | cut -f4,9,10,12,13)" = "$(printf '%s\t%s\t%s\t%s\t%s' "$length" "$name" "$start" "$partnerName" "$partnerStart")" ] ||
  fail ". printed '$stepped', not the longest pair ($length $name:$start $partnerName:$partnerStart)"

# G, NAME:1000, Enter: the camera faces that contig's 1,000th base from the front, over it.
offset=$(tr -d '\r' <err.txt | awk -v n="$partnerName" -F'\t' '$1 == "  " n {print $2}')
[ -n "$offset" ] || fail "no offset for $partnerName in: $(head -n5 err.txt)"
tap g
sleep 0.3
xdotool type --delay 40 "$partnerName:1000"
xdotool key Return
sleep 0.5
saveCommand
camX=$(echo "$command" | sed -n 's/.*--camera \([^,]*\),.*/\1/p')
awk -v got="$camX" -v at="$offset" 'BEGIN {
  want = (at + 999) / 100000
  exit !(got - want < 1e-3 && want - got < 1e-3) }' ||
  fail "after G $partnerName:1000 the camera is at x $camX, not looking at axis position $((offset + 999)): $command"
case "$command" in *--window-start*) fail "Enter in the prompt also toggled window mode: $command" ;; esac

if [ "$mode" = native ]; then
  "$toolsDir/quelvar-snapshot" --list self.paf --all-sequences --size "${clientW}x${clientH}" \
    --goto "$partnerName:1000" --out goto.png >/dev/null 2>&1 || fail "quelvar-snapshot --goto $partnerName:1000 failed"
  [ "$(compare -metric AE goto.png quelvar-000.png null: 2>&1)" = 0 ] ||
    fail "quelvar-snapshot --goto $partnerName:1000 draws another picture than the viewer's G"
fi

# Page Up: the threshold in bases doubled.
xdotool key Prior
sleep 0.3
saveCommand
case "$command" in *" --threshold 0.06 "*|*" --threshold 0.06") ;; *) fail "Page Up: $command" ;; esac

# 100 Page Ups stop at the longest pair: P's command runs and draws the window's picture.
xdotool key --delay 20 $(printf 'Prior %.0s' $(seq 100))
sleep 0.5
saveCommand
case "$command" in *" --threshold 7 "*|*" --threshold 7") ;; *) fail "100 Page Ups: $command" ;; esac
if [ "$mode" = native ]; then
  eval "\"\$toolsDir\"/$command --out pageup.png" >/dev/null 2>&1 || fail "the printed command failed: $command"
  [ "$(compare -metric AE pageup.png quelvar-002.png null: 2>&1)" = 0 ] ||
    fail "after 100 Page Ups the printed command draws another picture ($command)"
fi

# A person's 120 ms press of H shows the HUD, the next hides it: one press, one toggle.
shoot nohud.ppm
xdotool keydown h sleep 0.12 keyup h
shoot hud.ppm
[ "$(differingPixels nohud.ppm hud.ppm)" -gt 0 ] || fail "a 120 ms press of H did not show the HUD"
xdotool keydown h sleep 0.12 keyup h
shoot hidden.ppm
[ "$(differingPixels nohud.ppm hidden.ppm)" -eq 0 ] || fail "a second 120 ms press of H did not hide the HUD"
closeViewer

# A click on a bar over a feature: the line ends with the features at the pair's two ends.
openViewer --all-sequences --annotation contigs.bed self.paf
grep -q '^annotation contigs.bed (BED): ' err.txt || fail "no annotation summary: $(head -c 300 err.txt)"
shoot bars.ppm 1
for i in $(seq 12); do xdotool key Prior; sleep 0.05; done  # far above the longest: no bars
shoot none.ppm
for i in $(seq 12); do xdotool key Next; sleep 0.05; done
shoot back.ppm
[ "$(differingPixels bars.ppm back.ppm)" -eq 0 ] || fail "Page Down did not halve the threshold back"
# A bar pixel: one that the raised threshold took away, half-way down their list.
read -r barX barY < <(convert bars.ppm none.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage \
  -compose difference -composite -threshold 0 txt:- |
  awk -F'[,: ()]+' 'NR > 1 && $3 > 0 {x[n] = $1; y[n++] = $2} END {if (n) print x[int(n / 2)], y[int(n / 2)]}')
[ -n "${barY:-}" ] || fail "no bar pixel to click on"
clickForPair "$barX" "$barY"
[ -n "$clicked" ] || fail "a click on the bar at $barX,$barY printed nothing"
echo "$clicked" | awk -F'\t' '{exit !(NF == 16 && index($15, "span_" $9 " (") == 1 && index($16, "span_" $12 " (") == 1)}' ||
  fail "the click line does not name the features at its ends: $clicked"

closeViewer

# P's command, run by a shell, redraws P's picture exactly for a viewer started with a
# FASTA index, an annotation path holding a space, filters and looks: every option that
# shaped the picture is written back, quoted.
if [ "$mode" = native ]; then
  zcat /usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz | awk '
    function flush() { if (name != "") printf "%s\t%d\t%d\t%d\t%d\n", name, length_, start, width, width + 1 }
    /^>/ { flush(); split(substr($0, 2), w, /[ \t]/); name = w[1]; length_ = 0; width = 0; offset += length($0) + 1; start = offset; next }
    { if (width == 0) width = length($0); length_ += length($0); offset += length($0) + 1 }
    END { flush() }' >contigs.fai
  cp contigs.bed 'contig lanes.bed'
  openViewer --all-sequences --fai contigs.fai --annotation 'contig lanes.bed' --min-identity 90 \
    --region 200001-1200000 --colour strand --height log --hud self.paf
  xdotool mousemove 1279 1023  # off the window: nothing under the free cursor
  saveCommand
  case "$command" in *"--fai contigs.fai"*"--annotation 'contig lanes.bed'"*) ;; *) fail "P left out --fai or the quoted annotation: $command" ;; esac
  PATH="$toolsDir:$PATH" sh -c "$command --out redrawn.png" >/dev/null 2>&1 || fail "P's command failed: $command"
  differ=$(compare -metric AE redrawn.png "$(printf 'quelvar-%03d.png' $((saved - 1)))" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "P's command draws another picture ($differ pixels differ): $command"
  closeViewer
fi
echo "e2e navigation $mode: passed"
