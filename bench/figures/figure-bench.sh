#!/usr/bin/env bash
# Figure benchmark: a full table (499,999 bars over the whole axis) drawn side-on by
# --fit --perspective, written as a plain 3840x2160 PNG, an annotated one, and an SVG of
# every bar, then the same annotated PNG and SVG in the flat view (--fit), beside them, each a whole
# run of quelvar-snapshot (load included) beside the load alone (quelvar-summary). Prints
# seconds, the ratios to the plain PNG, and the SVG's size and bar count, beside the SVG of
# the start camera's view, which holds only the bars in its picture.
#
# bench/figures/figure-bench.sh [TOKENS [WxH]]    (default 300000, enough to fill the table,
#                                                 and 3840x2160)
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=${QUELVAR_BUILD:-build}/bin
tokens=${1:-300000}
size=${2:-3840x2160}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/quelvar-generate" --tokens "$tokens" --seed 3 > "$work/list.txt"
view=(--list "$work/list.txt" --fit --perspective --threshold -1 --size "$size")
flat=(--list "$work/list.txt" --fit --threshold -1 --size "$size" --annotate --title "Full table")

# Best of three: the machine is shared, and the quickest run is the least disturbed.
best() {
  local best_s=
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" > /dev/null
    t1=$(date +%s.%N)
    best_s=$(awk -v a="$t0" -v b="$t1" -v m="$best_s" 'BEGIN { d = b - a; print (m == "" || d < m) ? d : m }')
  done
  echo "$best_s"
}

load=$(best "$bin/quelvar-summary" "$work/list.txt")
plain=$(best "$bin/quelvar-snapshot" "${view[@]}" --out "$work/plain.png")
annotated=$(best "$bin/quelvar-snapshot" "${view[@]}" --annotate --title "Full table" --out "$work/annotated.png")
svg=$(best "$bin/quelvar-snapshot" "${view[@]}" --annotate --title "Full table" --out "$work/full.svg")
flat_png=$(best "$bin/quelvar-snapshot" "${flat[@]}" --out "$work/flat.png")
flat_svg=$(best "$bin/quelvar-snapshot" "${flat[@]}" --out "$work/flat.svg")
flat_size=$(stat -c %s "$work/flat.svg")
both=$(best "$bin/quelvar-snapshot" "${view[@]}" --annotate --out "$work/both.png" --out "$work/both.svg")

bars=$(grep -c '^<path stroke="#0000' "$work/full.svg" || true)
svg_size=$(stat -c %s "$work/full.svg")
# From the start camera only the first stretch of the axis is in the picture: the SVG keeps
# only those bars, as the PNG draws only those.
"$bin/quelvar-snapshot" --list "$work/list.txt" --threshold -1 --size "$size" --out "$work/start.svg" > /dev/null
start_bars=$(grep -c '^<path stroke="#0000' "$work/start.svg" || true)
start_size=$(stat -c %s "$work/start.svg")
awk -v loadonly="$load" -v plain="$plain" -v ann="$annotated" -v svg="$svg" -v both="$both" -v bars="$bars" -v size="$svg_size" -v picture="$size" -v sbars="$start_bars" -v ssize="$start_size" -v fpng="$flat_png" -v fsvg="$flat_svg" -v fsize="$flat_size" 'BEGIN {
  printf "load only (quelvar-summary)      %6.2f s\n", loadonly
  printf "plain PNG %-22s %6.2f s\n", picture, plain
  printf "annotated PNG %-18s %6.2f s   x%.2f of plain\n", picture, ann, ann / plain
  printf "annotated SVG                    %6.2f s   x%.2f of plain; %d bars, %.1f MB, %.0f bytes a bar\n", svg, svg / plain, bars, size / 1e6, size / (bars > 0 ? bars : 1)
  printf "flat annotated PNG (--fit)       %6.2f s   x%.2f of the perspective one\n", fpng, fpng / ann
  printf "flat annotated SVG (--fit)       %6.2f s   x%.2f of the perspective one; %.1f MB\n", fsvg, fsvg / svg, fsize / 1e6
  printf "SVG from the start camera                    %d bars, %.1f MB\n", sbars, ssize / 1e6
  printf "PNG and SVG from one load        %6.2f s   x%.2f of the two runs apart\n", both, both / (ann + svg)
}'
