#!/usr/bin/env bash
# A flat region figure of a real genome: the H. pylori ELS37 chromosome (ragout-examples)
# self-aligned, with a Tandem Repeats Finder lane. tesseract reads the region's tick
# labels in the sequence's own coordinates and the legend's words; the SVG validates and
# rasterises at a quarter of its size.
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
echo "pylori region: ticks, legends and the sequence name read back; SVG valid"
