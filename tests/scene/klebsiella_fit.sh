#!/usr/bin/env bash
# --fit on a real genome: the exact repeats of the Klebsiella pneumoniae 1084 chromosome
# (repeat-match on Debian's kleborate-examples, as scripts/demo-klebsiella.sh finds them),
# pictured side-on as SVG: every stored bar is there, wholly inside the picture, and
# together they span most of its width.
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
[ "$bars" -eq $((count - 1)) ] || fail "--fit shows $bars of the $((count - 1)) bars"
[ "$outside" -eq 0 ] || fail "$outside bar ends lie outside the picture"
awk -v l="$left" -v r="$right" 'BEGIN {exit !(r - l >= 0.8 * 1200)}' ||
  fail "the bars span only x $left to $right of 1200"
echo "klebsiella --fit: all $bars bars inside the picture, from x $left to $right"
