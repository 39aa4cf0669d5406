#!/usr/bin/env bash
# The flat dot-plot figure of real genomes (ragout-examples, self-aligned by minimap2), read
# back from its SVG: the E. coli chromosome's longest repeat, an inverted one, lies where its
# copies are, across the diagonal, and the picture names the sequence on both axes; SJM180's
# long contigs are named along both axes within their own stretches. The SVG validates and
# rasterises.
#   dot_plot_figure.sh BIN_DIR
set -euo pipefail
bin=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
examples() { dpkg -L ragout-examples 2>/dev/null | grep "$1" | head -n 1 || true; }
ecoli=$(examples '/E.Coli/references/MG1655-K12.fasta.gz$')
contigs=$(examples '/SJM180_contigs.fasta.gz$')
[ -f "$ecoli" ] && [ -f "$contigs" ] || fail "ragout-examples is missing (scripts/deps.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

zcat "$ecoli" >ecoli.fa
minimap2 -c -X -t 1 ecoli.fa ecoli.fa >ecoli.paf 2>/dev/null || fail "minimap2 failed on E. coli"
# The longest pair: length, sequence, start, end, partner's sequence, start, end, strand (1-based).
read -r len name a0 a1 _ b0 b1 strand _ < <("$bin/quelvar-summary" --pairs ecoli.paf 2>/dev/null | sed -n 2p)
[ "$strand" = - ] || fail "the longest E. coli repeat is not inverted any more: $strand"
lo=$(( (a0 < b0 ? a0 : b0) - 10000 )) hi=$(( (a1 > b1 ? a1 : b1) + 10000 ))
"$bin/quelvar-snapshot" --list ecoli.paf --layout dotplot --fit --annotate --background white --colour strand \
  --region "$name:$lo-$hi" --size 1200x1000 --out ecoli.svg --out ecoli.png >/dev/null 2>err.txt ||
  { cat err.txt >&2; fail "no E. coli dot plot"; }
xmllint --noout ecoli.svg || fail "the SVG does not validate"
rsvg-convert -w 300 -o small.png ecoli.svg || fail "rsvg-convert cannot draw the SVG"
# The plot's frame, the first four lines of the marks, as left, right, top and bottom.
frame='
  /stroke-linecap="square"/ { marks = 1 }
  marks && /<path / && lines < 4 {
    match($0, /d="[^"]*"/); split(substr($0, RSTART + 3, RLENGTH - 4), p, /[ML ]/)
    for (i = 2; i <= 5; i += 2) { x = p[i] + 0; y = p[i + 1] + 0
      if (!seen++ || x < left) left = x; if (seen == 1 || x > right) right = x
      if (seen == 1 || y < top) top = y; if (seen == 1 || y > bottom) bottom = y }
    lines++
  }
'
# The region spans the frame on both axes.
awk -v lo="$lo" -v hi="$hi" -v a0="$a0" -v a1="$a1" -v b0="$b0" -v b1="$b1" -v name="$name" '
  function abs(v) { return v < 0 ? -v : v }
'"$frame"'
  /<polygon fill="#d55e00"/ { polygons[++count] = $0 }
  /<text/ && index($0, ">" name "<") { named++; if ($0 !~ /text-anchor/) nameRight = 1; if ($0 ~ /text-anchor="middle"/) nameBelow = 1 }
  END {
    scale = (right - left) / (hi - lo + 1)
    # Axis positions (0-based) of the copies: first base and one past the last.
    ax0 = left + (a0 - lo) * scale; ax1 = left + (a1 + 1 - lo) * scale
    by0 = bottom - (b0 - lo) * scale; by1 = bottom - (b1 + 1 - lo) * scale
    bx0 = left + (b0 - lo) * scale; bx1 = left + (b1 + 1 - lo) * scale
    ay0 = bottom - (a0 - lo) * scale; ay1 = bottom - (a1 + 1 - lo) * scale
    found = 0
    for (k = 1; k <= count; ++k) {
      s = polygons[k]; match(s, /points="[^"]*"/); n = split(substr(s, RSTART + 8, RLENGTH - 9), c, /[ ,]/)
      minX = maxX = c[1]; minY = maxY = c[2]
      for (i = 1; i < n; i += 2) { x = c[i] + 0; y = c[i + 1] + 0
        if (x < minX) minX = x; if (x > maxX) maxX = x; if (y < minY) minY = y; if (y > maxY) maxY = y }
      # Either copy across; the bar reaches a few pixels past its ends.
      across = (abs(minX - ax0) < 5 && abs(maxX - ax1) < 5 && abs(minY - by1) < 5 && abs(maxY - by0) < 5) ||
               (abs(minX - bx0) < 5 && abs(maxX - bx1) < 5 && abs(minY - ay1) < 5 && abs(maxY - ay0) < 5)
      if (!across) continue
      # Inverted: across the diagonal, so going right it goes down the picture.
      leftY = rightY = 0
      for (i = 1; i < n; i += 2) if (c[i] + 0 < (minX + maxX) / 2) leftY += c[i + 1]; else rightY += c[i + 1]
      if (leftY < rightY) found = 1; else { print "the pair runs along the diagonal"; exit 1 }
    }
    if (lines < 4 || !(right > left)) { print "no frame"; exit 1 }
    if (!found) { printf "no inverted segment at %.1f-%.1f across, %.1f-%.1f up among %d\n", ax0, ax1, by1, by0, count; exit 1 }
    if (!nameBelow || !nameRight) { print "the sequence is not named on both axes"; exit 1 }
  }' ecoli.svg || fail "the E. coli dot plot does not place its longest repeat or name its axes"

# A draft assembly: each contig over 110 kb named under the plot within its stretch across,
# and right of the plot within its stretch up.
zcat "$contigs" >sjm.fa
minimap2 -c -X -t 1 sjm.fa sjm.fa >sjm.paf 2>/dev/null || fail "minimap2 failed on SJM180"
"$bin/quelvar-snapshot" --list sjm.paf --all-sequences --layout dotplot --fit --annotate --background white \
  --size 1600x1200 --out sjm.svg >/dev/null 2>offsets.txt || { cat offsets.txt >&2; fail "no assembly dot plot"; }
awk -v offsets=offsets.txt '
  BEGIN {
    while ((getline line < offsets) > 0 && sub(/^ */, "", line) >= 0)
      if (split(line, f, "\t") == 3) { start[f[1]] = f[2]; end[f[1]] = f[2] + f[3]; if (f[3] > 110000) long[f[1]] = 1
        if (f[2] + f[3] > total) total = f[2] + f[3] }
  }
'"$frame"'
  /<text/ {
    match($0, / x="[^"]*"/); x = substr($0, RSTART + 4, RLENGTH - 5) + 0
    match($0, / y="[^"]*"/); y = substr($0, RSTART + 4, RLENGTH - 5) + 0
    match($0, />[^<]*</); label = substr($0, RSTART + 1, RLENGTH - 2)
    if (label in long) { xs[label] = xs[label] " " x; ys[label] = ys[label] " " y }
  }
  END {
    scale = (right - left) / total
    for (name in long) {
      across = 0; up = 0
      n = split(xs[name], X, " "); split(ys[name], Y, " ")
      for (i = 1; i <= n; ++i) {
        if (Y[i] > bottom && X[i] >= left + start[name] * scale && X[i] <= left + end[name] * scale) across = 1
        if (X[i] > right && Y[i] <= bottom - start[name] * scale + 1 && Y[i] >= bottom - end[name] * scale) up = 1
      }
      if (!across || !up) { print name " is not named on both axes (" xs[name] " /" ys[name] ")"; bad = 1 }
      ++longCount
    }
    if (longCount < 3) { print "only " longCount " long contigs"; bad = 1 }
    exit bad
  }' sjm.svg || fail "the assembly dot plot does not name its long contigs on both axes"
echo "dot plot figure: the longest E. coli repeat placed across the diagonal; sequences named on both axes"
