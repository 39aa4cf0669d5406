#!/usr/bin/env bash
# The dot plot in the real viewer, in an X server of its own, over the E. coli chromosome
# (ragout-examples) self-aligned by minimap2: V switches the layout and back to the very
# same picture; with the cursor free a click on a ribbon prints one of the file's pairs; P
# saves the frame shown and prints a command with --layout dotplot that draws it again, pixel
# for pixel.
#   e2e_dot_plot.sh native VIEWER TOOLS_DIR | wine VIEWER.exe TOOLS_DIR
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
genome=$(dpkg -L ragout-examples 2>/dev/null | grep '/E.Coli/references/MG1655-K12.fasta.gz$' | head -n 1 || true)
[ -f "$genome" ] || fail "ragout-examples is missing (scripts/deps.sh installs it)"
startSession "$3"
cd "$sessionDir"
zcat "$genome" >ecoli.fa
minimap2 -c -X -t 1 ecoli.fa ecoli.fa >ecoli.paf 2>/dev/null || fail "minimap2 failed"
# Each pair as the click line names its copies: start and end of both, 1-based.
"$toolsDir/quelvar-summary" --pairs ecoli.paf 2>/dev/null | awk 'NR > 1 {print $3, $4, $6, $7}' >pairs.txt

prepareRunner "$mode"
# Zoomed so the whole plot lies in front of the camera, strand colours to find a ribbon by.
# The cursor free from the start: the pointer moves without turning the camera.
openViewer ecoli.paf --colour strand --zoom-steps 15 --camera=-3,-3,72,-45 --cursor free
shoot bars.ppm 1
changed() { shoot now.ppm; [ "$(differingPixels bars.ppm now.ppm)" -gt 0 ]; }
asAtStart() { shoot now.ppm; [ "$(differingPixels bars.ppm now.ppm)" -eq 0 ]; }
pressUntil v "V did not switch to the dot plot" changed
shoot plot.ppm

# A vermillion pixel of an inverted pair's ribbon, under the plot's far edge: a click there prints its pair.
convert plot.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage txt:- |
  awk -F'[(),: ]+' -v top=$((clientH / 3)) '/^[0-9]/ && $2 > top && $3 > 190 && $4 > 70 && $4 < 120 && $5 < 40 && !found {print $1, $2; found = 1}' >ribbon.txt
read -r ribbonX ribbonY <ribbon.txt || fail "no vermillion ribbon in the dot plot: $(colours plot.ppm)"
clickForPair "$ribbonX" "$ribbonY"
[ -n "$clicked" ] || fail "a click on the ribbon at $ribbonX,$ribbonY printed no pair"
copies=$(awk -F'\t' '{print $10, $11, $13, $14}' <<<"$clicked")
grep -qxF "$copies" pairs.txt || grep -qxF "$(awk '{print $3, $4, $1, $2}' <<<"$copies")" pairs.txt ||
  fail "the click printed a pair the file does not hold: $clicked"

# P: the frame shown, and a command that draws it again in the dot plot.
xdotool mousemove $((clientX + 5)) $((clientY + 5))
pressUntil p "P did not save quelvar-000.png" eval "sleep 0.5; [ -f quelvar-000.png ] && grep -q '^saved quelvar-000.png: ' out.txt"
shoot shown.ppm
convert shown.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage shown.png
[ "$(compare -metric AE quelvar-000.png shown.png null: 2>&1)" = 0 ] || fail "quelvar-000.png is not the frame shown"
command=$(tr -d '\r' <out.txt | sed -n "s/^saved quelvar-000.png: //p")
case "$command" in
  *" --layout dotplot"*) ;;
  *) fail "the printed command lacks the layout: $command" ;;
esac
# Wine's GL rounds a few edge pixels otherwise than the native snapshot: redrawn natively only.
if [ "$mode" = native ]; then
  eval "\"\$toolsDir\"/$command --out snapshot.png" >/dev/null 2>&1 || fail "the printed command failed: $command"
  [ "$(compare -metric AE quelvar-000.png snapshot.png null: 2>&1)" = 0 ] ||
    fail "the printed command draws another picture: $(compare -metric AE quelvar-000.png snapshot.png null: 2>&1) pixels differ ($command)"
fi

# The free cursor draws nothing without the HUD: V again gives back the bars as they were.
pressUntil v "V pressed again did not give back the bars" asAtStart
closeViewer
echo "e2e dot plot $mode: passed"
