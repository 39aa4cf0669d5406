#!/usr/bin/env bash
# --fit on a real genome: the exact repeats of the Klebsiella pneumoniae 1084 chromosome
# (repeat-match on Debian's kleborate-examples, as scripts/demo-klebsiella.sh finds them),
# pictured side-on as SVG: one bar stands in every pixel column a stored bar falls in (the
# tallest there, for the rest), wholly inside the picture, and together they span most of
# its width.
#   klebsiella_fit.sh BIN_DIR
set -euo pipefail
bin=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
assembly=$(dpkg -L kleborate-examples 2>/dev/null | grep '/Klebs_Kp1084.fna.xz$' | head -n 1 || true)
[ -f "$assembly" ] || fail "kleborate-examples is missing (scripts/deps.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
xz -dc "$assembly" >genome.fna
repeat-match -n 50 genome.fna >repeats.txt 2>/dev/null
"$bin/quelvar-import" --out date.txt repeats.txt 2>/dev/null
count=$("$bin/quelvar-summary" date.txt | awk '/^Count tandem load/ {print $NF}')
[ "$count" -gt 100 ] || fail "too few repeats to picture: count $count"
"$bin/quelvar-snapshot" --list date.txt --fit --threshold -1 --no-floor --size 1200x675 --out fit.svg >/dev/null
# Each bar is a path "M x y L x y" in picture pixels.
read -r bars outside left right < <(grep '^<path stroke="#' fit.svg |
  sed 's/.* d="M\([-0-9.]*\) \([-0-9.]*\)L\([-0-9.]*\) \([-0-9.]*\)".*/\1 \2 \3 \4/' |
  awk 'BEGIN {left = 1e9; right = -1e9}
       {n++; for (i = 1; i <= 3; i += 2) {
          if ($i < 0 || $i > 1200 || $(i + 1) < 0 || $(i + 1) > 675) out++
          if ($i < left) left = $i; if ($i > right) right = $i }}
       END {print n + 0, out + 0, left, right}')
# The columns the stored bars fall in, from their positions: the first and last stand at
# the leftmost and rightmost bar drawn. A bar standing for a neighbour a pixel off may
# cover two.
columns=$("$bin/quelvar-summary" --pairs --min-length 0 date.txt 2>/dev/null |
  awk -F'\t' -v l="$left" -v r="$right" '!/^#/ {p[++n] = $3; p[++n] = $6}
    END {lo = p[1]; hi = p[1]; for (i = 1; i <= n; i++) {if (p[i] < lo) lo = p[i]; if (p[i] > hi) hi = p[i]}
         for (i = 1; i <= n; i++) seen[int(l + (p[i] - lo) / (hi - lo) * (r - l))] = 1
         for (c in seen) d++; print d + 0}')
[ "$bars" -le "$columns" ] && [ "$((bars * 10))" -ge "$((columns * 9))" ] ||
  fail "--fit shows $bars bars for the $columns columns its $((count - 1)) bars fall in"
[ "$outside" -eq 0 ] || fail "$outside bar ends lie outside the picture"
awk -v l="$left" -v r="$right" 'BEGIN {exit !(r - l >= 0.8 * 1200)}' ||
  fail "the bars span only x $left to $right of 1200"
echo "klebsiella --fit: $bars bars for the $columns columns of $((count - 1)), inside the picture, from x $left to $right"
