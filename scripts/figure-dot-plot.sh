#!/usr/bin/env bash
# The README's dot plot: the E. coli K-12 MG1655 chromosome (Debian's ragout-examples)
# aligned against itself by minimap2, seen flat from above with both axes ticked and named,
# pairs coloured by strand, written to docs/dot-plot.png (and the SVG beside the alignment).
#
# scripts/figure-dot-plot.sh [OUTDIR]    (default build/dot-plot)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUELVAR_BUILD:-build}
out=${1:-$build/dot-plot}
genome=$(dpkg -L ragout-examples 2>/dev/null | grep '/E.Coli/references/MG1655-K12.fasta.gz$' | head -n 1 || true)
[ -f "$genome" ] || { echo "figure-dot-plot: ragout-examples is missing; run scripts/deps.sh" >&2; exit 1; }
command -v minimap2 >/dev/null || { echo "figure-dot-plot: minimap2 is missing; run scripts/deps.sh" >&2; exit 1; }
[ -x "$build/bin/quelvar-snapshot" ] || { echo "figure-dot-plot: build quelvar-snapshot first" >&2; exit 1; }
mkdir -p "$out" docs
zcat "$genome" >"$out/ecoli.fa"
minimap2 -c -X -t 2 "$out/ecoli.fa" "$out/ecoli.fa" >"$out/ecoli.paf" 2>"$out/minimap2.log"
"$build/bin/quelvar-snapshot" --list "$out/ecoli.paf" --layout dotplot --fit --annotate --background white \
  --colour strand --title "E. coli K-12 MG1655 against itself (minimap2 -c -X)" --size 1200x1100 \
  --out docs/dot-plot.png --out "$out/dot-plot.svg" >/dev/null
echo "== docs/dot-plot.png (and $out/dot-plot.svg)"
