#!/usr/bin/env bash
# Flight over a human-sized layout in the real viewer: O frames the whole genome from high
# up, the wheel and X descend (two notches one halving, X another), G takes the camera down
# to a chromosome at the far end of the axis, where a click on a bar prints a line that
# quelvar-summary --pairs lists; every P's command carries the height and the origin and
# redraws the saved picture pixel for pixel.
#   e2e_flight.sh native VIEWER TOOLS_DIR | wine VIEWER.exe TOOLS_DIR
# SCALE shrinks the 24 chromosome lengths of GRCh38 (1 lays out 3.1 Gb).
mode=$1
viewer=$2
scale=${4:-1}
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

# A self-alignment over GRCh38's chromosome lengths: pairs at set places in every
# chromosome, and some in the first 200 kb of chrY, the last but one, where G goes.
awk -v scale="$scale" 'BEGIN {
  split("248956422 242193529 198295559 190214555 181538259 170805979 159345973 145138636 " \
        "138394717 133797422 135086622 133275309 114364328 107043718 101991189 90338345 " \
        "83257441 80373285 58617616 64444167 46709983 50818468 156040895 57227415", lengths, " ")
  for (c = 1; c <= 24; ++c) {
    name = c == 23 ? "chrX" : c == 24 ? "chrY" : "chr" c
    length_ = int(lengths[c] * scale)
    pairs = c == 24 ? 12 : 6
    for (k = 0; k < pairs; ++k) {
      span = 2000 + (k * 7919) % 30000
      if (c == 24) { a = 5000 + k * 15000; b = a + 2 * span + 3000 }
      else { a = int(length_ * (k + 0.5) / pairs); b = a + span + 50000 }
      if (b + span > length_) continue
      printf "%s\t%d\t%d\t%d\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t60\n", name, length_, a, a + span,
        k % 3 == 2 ? "-" : "+", name, length_, b, b + span, int(span * 0.97), span
    }
  }
}' >genome.paf
"$toolsDir/quelvar-summary" --pairs --all-sequences genome.paf >pairs.tsv 2>/dev/null ||
  fail "quelvar-summary --pairs could not read genome.paf"

prepareRunner "$mode"
openViewer --all-sequences genome.paf
shoot start.ppm 1

# The command, run, draws the picture P saved.
redrawsSaved() {
  [ "$mode" = native ] || return 0
  PATH="$toolsDir:$PATH" sh -c "$command --out redrawn.png" >/dev/null 2>&1 || fail "P's command failed: $command"
  local differ
  differ=$(compare -metric AE redrawn.png "$(printf 'quelvar-%03d.png' $((saved - 1)))" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "P's command draws another picture ($differ pixels differ): $command"
}
# --camera's fifth value, the height.
heightOf() { echo "$1" | sed -n 's/.*--camera [^,]*,[^,]*,[^,]*,[^,]*,\([^, ]*\).*/\1/p'; }

changedFrom() { shoot now.ppm; [ "$(differingPixels "$1" now.ppm)" -gt 0 ]; }
pressUntil o "O did not change the picture" changedFrom start.ppm
shoot overview.ppm
saveCommand
high=$(heightOf "$command")
# The axis whole across the picture takes a height of about half its length.
awk -v h="$high" -v s="$scale" 'BEGIN {exit !(h > 3000 * s && h < 30000 * s)}' ||
  fail "the overview stands at height '$high': $command"
redrawsSaved

# Two wheel notches away from the user descend as far as one X: a quarter of the height.
xdotool mousemove $((clientX + clientW / 2)) $((clientY + clientH / 2)) click --repeat 2 --delay 100 4
sleep 0.3
tap x
sleep 0.3
saveCommand
low=$(heightOf "$command")
awk -v h="$high" -v l="$low" 'BEGIN {exit !(l > 0 && h / l > 3.999 && h / l < 4.001)}' ||
  fail "two wheel notches and X took the height from $high to $low, not a quarter"
shoot lower.ppm
[ "$(differingPixels overview.ppm lower.ppm)" -gt 0 ] || fail "descending did not change the picture"
redrawsSaved

# G chrY:50000: the camera comes down over that chromosome's pairs, near the axis' far end.
tap g
sleep 0.3
xdotool type --delay 40 "chrY:50000"
xdotool key Return
sleep 0.5
shoot chrY.ppm
read -r barX barY < <(convert chrY.ppm -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage txt:- |
  awk -F'[,: ()]+' 'NR > 1 && $3 < 20 && $4 < 20 && $5 > 60 {x[n] = $1; y[n++] = $2}
    END {if (n) print x[int(n / 2)], y[int(n / 2)]}')
[ -n "${barY:-}" ] || fail "no bar in sight after G chrY:50000"
clickForPair "$barX" "$barY"
[ -n "$clicked" ] || fail "a click on the bar at $barX,$barY printed nothing"
# The line names both copies on chrY; from either bar it is a pair the summary lists.
echo "$clicked" | awk -F'\t' -v list=pairs.tsv 'BEGIN {
    while ((getline line < list) > 0) { split(line, f, "\t"); seen[f[1] " " f[2] " " f[3] " " f[5] " " f[6]] = 1 } }
  { exit !($9 == "chrY" && $12 == "chrY" && (($4 " " $9 " " $10 " " $12 " " $13) in seen || ($4 " " $12 " " $13 " " $9 " " $10) in seen)) }' ||
  fail "the click printed a pair quelvar-summary --pairs does not list: $clicked"
saveCommand
case "$command" in *"--camera "*,*,*,*,*,*" "*|*"--camera "*,*,*,*,*,*) ;; *) fail "no origin in P's command far along the axis: $command" ;; esac
redrawsSaved
closeViewer

# Without a FILE or an option the camera keeps its height: O, X and the wheel do nothing.
xdotool mousemove 400 300  # the look centre: the captured cursor turns nothing
openViewer
shoot fixed.ppm 1
tap o
tap x
xdotool click 4
shoot still.ppm
[ "$(differingPixels fixed.ppm still.ppm)" -eq 0 ] || fail "flight keys moved the camera of the viewer started without arguments"
closeViewer
echo "e2e flight $mode: passed"
