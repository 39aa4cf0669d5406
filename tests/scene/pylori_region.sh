#!/usr/bin/env bash
# A flat region figure of a real genome: the H. pylori ELS37 chromosome (ragout-examples)
# self-aligned, with a Tandem Repeats Finder lane. tesseract reads the region's tick
# labels in the sequence's own coordinates and the legend's words; the SVG validates and
# rasterises at a quarter of its size. Then figures of SJM180's contigs, read from the SVG.
#   pylori_region.sh BIN_DIR
set -euo pipefail
bin=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
genome=$(dpkg -L ragout-examples 2>/dev/null | grep '/references/ELS37.fasta.gz$' | head -n 1 || true)
[ -f "$genome" ] || fail "ragout-examples is missing (scripts/deps.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
zcat "$genome" >els37.fa
trf els37.fa 2 7 7 80 10 50 500 -h -d >/dev/null 2>&1 || true
dat=els37.fa.2.7.7.80.10.50.500.dat
[ -s "$dat" ] || fail "trf wrote no $dat"
name=$(head -n 1 els37.fa | sed 's/^>\([^ ]*\).*/\1/')
"$bin/quelvar-snapshot" --list els37.fa --fit --annotate --background white --colour strand --height log \
  --annotation "$dat" --region "$name:1,150,001-1,500,000" --size 1600x900 --out region.png --out region.svg \
  >/dev/null 2>err.txt || { cat err.txt >&2; fail "quelvar-snapshot failed"; }
text=$(tesseract region.png stdout --psm 11 2>/dev/null)
for word in "1.20 Mb" "1.30 Mb" "1.40 Mb" "same strand" "inverted" "tandem repeat" "log scale" "NC_017063"; do
  grep -qF "$word" <<<"$text" || fail "tesseract does not read '$word' in: $text"
done
xmllint --noout region.svg || fail "the SVG does not validate"
rsvg-convert -w 400 -o small.png region.svg || fail "rsvg-convert cannot draw the SVG"
grep -q 'clip-path="url(#frame)"' region.svg || fail "the SVG's bars are not cut to the frame"

# A flat figure of a draft assembly (SJM180's contigs, self-aligned) read back from its SVG:
# each long contig named from its start, with a mark there; the log scale's lowest tick the
# shortest shown length rounded down to 1, 2 or 5 times a power of ten.
contigs=$(dpkg -L ragout-examples 2>/dev/null | grep '/SJM180_contigs.fasta.gz$' | head -n 1 || true)
[ -f "$contigs" ] || fail "ragout-examples has no SJM180 contigs"
zcat "$contigs" >sjm.fa
minimap2 -c -X -t 1 sjm.fa sjm.fa >sjm.paf 2>/dev/null || fail "minimap2 failed"
"$bin/quelvar-snapshot" --list sjm.paf --all-sequences --fit --annotate --background white --colour strand \
  --height log --size 1600x900 --out sjm.svg >/dev/null 2>offsets.txt || { cat offsets.txt >&2; fail "no assembly figure"; }
shortest=$("$bin/quelvar-summary" --pairs sjm.paf --all-sequences 2>/dev/null | awk 'NR > 1 {print $1}' | sort -n | head -n 1)
awk -v shortest="$shortest" -v offsets=offsets.txt '
  BEGIN {
    while ((getline line < offsets) > 0 && sub(/^ */, "", line) >= 0)
      if (split(line, f, "\t") == 3 && f[3] > 110000) { start[f[1]] = f[2]; long++ }
  }
  /<text/ {
    match($0, / x="[^"]*"/); x = substr($0, RSTART + 4, RLENGTH - 5) + 0
    match($0, / y="[^"]*"/); y = substr($0, RSTART + 4, RLENGTH - 5) + 0
    match($0, /font-size="[^"]*"/); size = substr($0, RSTART + 11, RLENGTH - 12) + 0
    match($0, />[^<]*</); label = substr($0, RSTART + 1, RLENGTH - 2)
    if (label == "0") zero = x
    if (label == "500 kb") half = x
    if (label in start) { nameX[label] = x - 0.25 * size }
    if ($0 ~ /text-anchor="end"/ && label ~ / (bp|kb)$/ && y > lowestY) { lowestY = y; lowest = label }
  }
  /<path stroke="#000000" d="M[0-9.]+ [0-9.]+L[0-9.]+ [0-9.]+"\/>/ {
    match($0, /d="[^"]*"/); split(substr($0, RSTART + 3, RLENGTH - 4), p, /[ML ]/)
    if (p[2] == p[4]) marks[++markCount] = p[2] + 0
  }
  END {
    perBase = (half - zero) / 500000
    for (name in start) {
      want = zero + start[name] * perBase
      if (!(name in nameX)) { print "no name " name; bad = 1; continue }
      if (nameX[name] - want > 2 || want - nameX[name] > 2) { print name " named at " nameX[name] ", starts at " want; bad = 1 }
      found = 0
      for (i = 1; i <= markCount; ++i) if (marks[i] - want <= 2 && want - marks[i] <= 2) found = 1
      if (!found) { print "no mark where " name " starts (" want ")"; bad = 1 }
    }
    floor = 1
    while (floor * 10 <= shortest) floor *= 10
    if (floor * 5 <= shortest) floor *= 5; else if (floor * 2 <= shortest) floor *= 2
    if (lowest != floor " bp") { print "the log scale starts at " lowest ", the shortest shown is " shortest " bp"; bad = 1 }
    if (long < 3) { print "only " long " long contigs"; bad = 1 }
    exit bad
  }' sjm.svg || fail "the assembly figure does not mark its contigs or start its scale at the shortest"

# The legend lists the feature classes in the frame only.
printf '##gff-version 3\nscf29\tsketch\toperon\t1001\t9000\t.\t+\t.\tID=a\nscf42\tsketch\tprophage\t1001\t9000\t.\t+\t.\tID=b\n' >two.gff3
"$bin/quelvar-snapshot" --list sjm.paf --all-sequences --fit --annotate --annotation two.gff3 --region scf29:1-127931 \
  --size 1600x900 --out contig.svg >/dev/null 2>err.txt || { cat err.txt >&2; fail "no contig figure"; }
grep -q '>operon</text>' contig.svg || fail "the legend lacks the class in the frame"
! grep -q '>prophage</text>' contig.svg || fail "the legend lists a class outside the frame"
echo "pylori region: ticks, legends and the sequence name read back; SVG valid; contigs marked and named"
