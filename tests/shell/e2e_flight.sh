#!/usr/bin/env bash
# Flight in the real viewer. Over a 3.1 Gb axis: O frames the whole of it from high up, the
# wheel and X descend (two notches one halving, X another), G takes the camera down near
# its far end, where a click on a bar prints the line quelvar-summary --pairs lists, exact
# to the base; every P's command carries the height and the origin and redraws the saved
# picture pixel for pixel. Over GRCh38's 24 chromosomes, 3.1 Gb laid end to end: from
# the overview G goes down to chrY, and a click names it. Without a
# FILE or an option the flight keys do nothing.
#   e2e_flight.sh native VIEWER TOOLS_DIR | wine VIEWER.exe TOOLS_DIR
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

# A list over 3.1 Gb: a pair every megabase, and the longest in a cluster 3,050 Mb along.
awk 'BEGIN {
  for (i = 0; i < 3080; ++i) printf "%d/%d/%d/%d\n", i * 1000000 + 1000, i * 1000000 + 51000, 2000 + i % 40 * 500, i % 2
  for (k = 0; k < 12; ++k) printf "%d/%d/%d/%d\n", 3050000000 + k * 15000, 3050100000 + k * 15000, 30000 + k * 1000, k % 2
}' >far.txt
# A self-alignment over GRCh38's chromosome lengths: pairs at set places in
# every chromosome, and some in the first 200 kb of chrY, the last.
awk 'BEGIN {
  split("248956422 242193529 198295559 190214555 181538259 170805979 159345973 145138636 " \
        "138394717 133797422 135086622 133275309 114364328 107043718 101991189 90338345 " \
        "83257441 80373285 58617616 64444167 46709983 50818468 156040895 57227415", lengths, " ")
  for (c = 1; c <= 24; ++c) {
    name = c == 23 ? "chrX" : c == 24 ? "chrY" : "chr" c
    length_ = lengths[c]
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
"$toolsDir/quelvar-summary" --pairs far.txt >far.txt.pairs 2>/dev/null || fail "quelvar-summary --pairs could not read far.txt"
"$toolsDir/quelvar-summary" --pairs --all-sequences genome.paf >genome.paf.pairs 2>/dev/null ||
  fail "quelvar-summary --pairs could not read genome.paf"

prepareRunner "$mode"

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
# The client area's bar pixels (blue lines), as column and row, one a line.
barPixels() {
  convert "$1" -crop "${clientW}x${clientH}+${clientX}+${clientY}" +repage txt:- |
    awk -F'[,: ()]+' 'NR > 1 && $3 < 20 && $4 < 20 && $5 > 60 {print $1, $2}'
}
# The most bar pixels in one column: how tall the tallest bar stands on screen.
tallestBar() { barPixels "$1" | awk '{n[$1]++} END {m = 0; for (x in n) if (n[x] > m) m = n[x]; print m}'; }

# A click on a bar pixel in the middle of those in sight, whose line must be one LIST.pairs
# holds (seen from either bar), on sequence NAME when one is given.
clickListedBar() {
  local list=$1 name=${2:-}
  shoot there.ppm
  read -r barX barY < <(barPixels there.ppm | awk '{x[n] = $1; y[n++] = $2} END {if (n) print x[int(n / 2)], y[int(n / 2)]}')
  [ -n "${barY:-}" ] || fail "no bar in sight"
  clickForPair "$barX" "$barY"
  [ -n "$clicked" ] || fail "a click on the bar at $barX,$barY printed nothing"
  echo "$clicked" | awk -F'\t' -v list="$list.pairs" -v name="$name" 'BEGIN {
      while ((getline line < list) > 0) { split(line, f, "\t"); seen[f[1] " " f[3] " " f[6]] = 1 } }
    { named = NF >= 13
      a = named ? $10 : $2 + 1; b = named ? $13 : $3 + 1
      exit !((name == "" || ($9 == name && $12 == name)) && (($4 " " a " " b) in seen || ($4 " " b " " a) in seen)) }' ||
    fail "the click printed a pair quelvar-summary --pairs does not list: $clicked"
}

openViewer far.txt
shoot start.ppm 1
pressUntil o "O did not change the picture" changedFrom start.ppm
shoot overview.ppm
saveCommand
high=$(heightOf "$command")
# The axis whole across the picture takes a height of about a third of its length.
awk -v h="$high" 'BEGIN {exit !(h > 3000 && h < 30000)}' ||
  fail "the overview of 3.1 Gb stands at height '$high': $command"
redrawsSaved

# Two wheel notches away from the user descend as far as one X (the wheel towards what
# the pointer is over): a quarter of the height.
xdotool mousemove $((clientX + clientW / 2)) $((clientY + clientH / 2)) click --repeat 2 --delay 100 4
sleep 0.3
tap x
sleep 0.3
saveCommand
low=$(heightOf "$command")
awk -v h="$high" -v l="$low" 'BEGIN {exit !(l > 0 && h / l > 3.999 && h / l < 4.001)}' ||
  fail "two wheel notches and X took the height from $high to $low, not a quarter"
redrawsSaved
# From the overview nine X (down to a 512th of the height, towards what the picture's
# centre shows): bars that stood under a pixel now stand tall in sight.
tap o
for i in 1 2 3 4 5 6 7 8 9; do tap x; sleep 0.1; done
shoot lower.ppm
[ "$(tallestBar overview.ppm)" -le 3 ] && [ "$(tallestBar lower.ppm)" -ge 10 ] ||
  fail "descending did not raise the bars: the tallest $(tallestBar overview.ppm) pixels high, then $(tallestBar lower.ppm)"

# . goes down to the longest pair, 3,050 Mb along: a click there is exact to the base, and
# P's command carries the origin.
pressUntil period ". printed no pair" eval "sleep 0.3; grep -q '^pair' out.txt"
tr -d '\r' <out.txt | awk -F'\t' '$1 == "pair" {exit $2 != 3050165000}' || fail ". did not go to the longest pair: $(grep '^pair' out.txt)"
clickListedBar far.txt
saveCommand
case "$command" in *"--camera "*,*,*,*,*,*" "*|*"--camera "*,*,*,*,*,*) ;; *) fail "no origin in P's command far along the axis: $command" ;; esac
redrawsSaved
closeViewer

# From the overview of a genome's chromosomes down to chrY, whose pair the click names.
openViewer --all-sequences genome.paf
tap o
tap g
sleep 0.3
xdotool type --delay 40 chrY:50000
xdotool key Return
sleep 0.5
clickListedBar genome.paf chrY
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
