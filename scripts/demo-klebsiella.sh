#!/usr/bin/env bash
# The repeats of a real bacterial genome: MUMmer's repeat-match finds the exact repeats of
# 50 bases or more in a complete Klebsiella pneumoniae chromosome (Debian's
# kleborate-examples), quelvar-import turns them into a tandem list, and, when
# quelvar-snapshot is built, an annotated picture of them goes to docs/klebsiella.png.
#
# scripts/demo-klebsiella.sh [OUTDIR]    (default build/klebsiella; the list is OUTDIR/date.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUELVAR_BUILD:-build}
out=${1:-$build/klebsiella}
assembly_name=Klebs_Kp1084.fna.xz  # strain 1084: one chromosome, 5.4 Mb, no plasmids

for tool in repeat-match xz; do
  command -v "$tool" >/dev/null || { echo "demo-klebsiella: $tool is missing; run scripts/deps.sh" >&2; exit 1; }
done
assembly=$(dpkg -L kleborate-examples 2>/dev/null | grep "/$assembly_name\$" | head -n 1 || true)
if [ -z "$assembly" ] || [ ! -f "$assembly" ]; then
  echo "demo-klebsiella: $assembly_name not found; run scripts/deps.sh (package kleborate-examples)" >&2
  exit 1
fi
if [ ! -x "$build/bin/quelvar-import" ] || [ ! -x "$build/bin/quelvar-summary" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target quelvar-import quelvar-summary
fi

mkdir -p "$out"
echo "== $assembly"
xz -dc "$assembly" > "$out/Kp1084.fna"
echo "== repeat-match -n 50 (about half a minute)"
repeat-match -n 50 "$out/Kp1084.fna" > "$out/Kp1084.repeats" 2> "$out/repeat-match.log"
"$build/bin/quelvar-import" --out "$out/date.txt" --force "$out/Kp1084.repeats"
"$build/bin/quelvar-summary" "$out/date.txt"

if [ -x "$build/bin/quelvar-snapshot" ]; then
  mkdir -p docs
  # Side-on, the whole chromosome across the picture, with position ticks, the height
  # legend and a title; the SVG beside it is the same frame as vector graphics.
  "$build/bin/quelvar-snapshot" --list "$out/date.txt" --fit --perspective --annotate --background white \
    --title "Exact repeats of 50 bp or more, Klebsiella pneumoniae 1084 chromosome" \
    --out docs/klebsiella.png --size 1200x675 --out "$out/klebsiella.svg" --size 1200x675 >/dev/null
  echo "== picture: docs/klebsiella.png (and $out/klebsiella.svg)"
else
  echo "== no $build/bin/quelvar-snapshot yet: no picture taken"
fi
echo "== to fly over it: (cd $out && $root/$build/bin/quelvar)"
