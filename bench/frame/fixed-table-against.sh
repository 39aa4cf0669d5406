#!/usr/bin/env bash
# The fixed table's frame (the viewer started without arguments: 499,999 records) against an
# earlier commit's, side by side in one run: builds that commit's quelvar-frame-bench in
# build-baseline/ (its sources from git archive, nothing else of the tree touched), then runs
# it and this build's in alternation and prints the production frame of each, camera still
# and turning, for lines and for points, and this build's over the earlier one's.
#
# bench/frame/fixed-table-against.sh [COMMIT [ROUNDS [FRAMES]]]   (default 6ab904a, 3, 4)
set -euo pipefail
cd "$(dirname "$0")/../.."
commit=${1:-6ab904a}
rounds=${2:-3}
frames=${3:-4}
now=${QUELVAR_BUILD:-build}/bin/quelvar-frame-bench
base=build-baseline
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "$(cat "$base/commit" 2>/dev/null)" != "$(git rev-parse "$commit")" ]; then
  rm -rf "$base"
  mkdir -p "$base/src"
  git archive "$commit" | tar -x -C "$base/src"
  cmake -S "$base/src" -B "$base/build" -G Ninja -DCMAKE_BUILD_TYPE=Release ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
  cmake --build "$base/build" -j "${QUELVAR_JOBS:-2}" --target quelvar-frame-bench >/dev/null
  git rev-parse "$commit" > "$base/commit"
fi
then=$base/build/bin/quelvar-frame-bench
[ "$rounds" -gt 0 ] || exit 0  # only the build

# The production frames of one run: lines still, lines turning, points still, points turning.
frames_of() {
  "$1" --frames "$frames" | awk '
    /^lines and floor/ { part = "lines" } /^points and floor/ { part = "points" } /^window mode/ { part = "" }
    part != "" && /^  production, camera turning/ { print part "_turning", $(NF-4) }
    part != "" && /^  production  / { print part "_still", $(NF-4) }'
}

for ((r = 0; r < rounds; r++)); do
  frames_of "$then" | sed 's/^/then /' >> "$work/all"
  frames_of "$now" | sed 's/^/now /' >> "$work/all"
done
echo "fixed table, 499,999 records, 992x573: $commit against this build, $rounds alternating runs of $frames frames x 3 rounds"
awk '{ sum[$1 " " $2] += $3; n[$1 " " $2]++ }
  END {
    split("lines_still lines_turning points_still points_turning", names, " ")
    printf "  %-16s %12s %12s %8s\n", "ms a frame", "then", "now", "now/then"
    for (i = 1; i <= 4; i++) {
      t = sum["then " names[i]] / n["then " names[i]]; w = sum["now " names[i]] / n["now " names[i]]
      printf "  %-16s %12.2f %12.2f %7.2fx\n", names[i], t, w, w / t
    }
  }' "$work/all"
