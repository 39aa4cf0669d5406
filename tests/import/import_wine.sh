#!/usr/bin/env bash
# The Windows quelvar-import under Wine never writes over what it reads, however the file
# is named: the same name, another letter case, a Z:\ path, the side file of --all-sequences,
# standard input. A new file is still written; a FASTA is refused.
#   import_wine.sh QUELVAR-IMPORT.EXE FIXTURE.bedpe
set -euo pipefail
exe=$1
fixture=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$exe" ] || fail "no Windows importer at $exe (scripts/build-windows.sh builds it)"
work=$(mktemp -d /tmp/quelvar-import-wine-XXXXXX)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
timeout 300 wineboot -i >/dev/null 2>&1 || fail "wineboot could not make the Wine prefix"

cp "$fixture" X.bedpe
cp "$fixture" side.txt.sequences
dos="Z:$(pwd | tr / '\\')"
# Each refused with exit 2 and its one-line reason; the file it named stays as it was.
refuse() {
  local status=0
  "$wine" "$exe" "$@" <X.bedpe >out.txt 2>err.txt || status=$?
  [ "$status" -eq 2 ] || fail "$*: exit code $status ($(tr -d '\r' <err.txt | tail -n1))"
  grep -q 'is also an input; not writing over it' err.txt || fail "$*: $(tr -d '\r' <err.txt)"
  cmp -s X.bedpe "$fixture" && cmp -s side.txt.sequences "$fixture" || fail "$*: an input was written over"
}
refuse --force --out X.bedpe X.bedpe
refuse --force --out x.BEDPE X.bedpe
refuse --force --out "$dos\\X.bedpe" X.bedpe
refuse --force --out "Z:$(pwd)/./X.bedpe" X.bedpe
refuse --all-sequences --force --out side.txt SIDE.TXT.sequences
refuse --force --out X.bedpe
refuse --force --out x.bedpe -

status=0
"$wine" "$exe" X.bedpe --out new.txt 2>err.txt || status=$?
[ "$status" -eq 0 ] || fail "a new file: exit code $status ($(tr -d '\r' <err.txt | tail -n1))"
[ "$(tr -d '\r' <new.txt | head -n1)" = 100/900/50/0 ] || fail "a new file holds: $(head -c 200 new.txt)"
# No aligner in the Windows build: a FASTA is refused with the way round, and nothing written.
printf '>chr\nACGTACGTACGTACGT\n' >genome.fa
status=0
"$wine" "$exe" genome.fa --out fasta.txt 2>err.txt || status=$?
[ "$status" -eq 1 ] || fail "a FASTA: exit code $status ($(tr -d '\r' <err.txt | tail -n1))"
grep -q 'genome.fa is a FASTA, and this build cannot align it; align it with minimap2' err.txt ||
  fail "a FASTA: $(tr -d '\r' <err.txt)"
[ ! -e fasta.txt ] || fail "a FASTA: fasta.txt written"
echo "import under Wine: passed"
