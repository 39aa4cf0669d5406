#!/usr/bin/env bash
# A FILE named on the command line as a pipe (/dev/stdin), a process substitution or a FIFO
# reads exactly as the same bytes in a regular file, for every format and program: the
# summary's records, the snapshot's picture, the import's list. Real minimap2 and trf output
# of the H. pylori SJM180 contigs (ragout-examples).
#   named_stream.sh BIN_DIR SAMPLES_DIR
set -uo pipefail
bin=$1
samples=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
contigs=/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz
[ -f "$contigs" ] || fail "ragout-examples is missing (scripts/deps.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
zcat "$contigs" >contigs.fa
head -c 300000 contigs.fa >part.fa
minimap2 -c -X contigs.fa contigs.fa >self.paf 2>/dev/null || fail "minimap2 failed"
trf part.fa 2 7 7 80 10 50 500 -ngs -h >part.ngs 2>/dev/null
[ -s part.ngs ] || fail "trf wrote nothing"
cp "$samples/date.txt" list.txt
gzip -c self.paf >self.paf.gz

# Runs PROGRAM on FILE handed over as HOW, its output in $1.out (the import's list, or the
# snapshot's picture, after the summary).
runAs() {
  local how=$1 program=$2 file=$3 out=$4
  local args=()
  case $program in
    summary) args=("$bin/quelvar-summary" --records) ;;
    snapshot) args=("$bin/quelvar-snapshot" --list) ;;
    import) args=("$bin/quelvar-import" --force) ;;
  esac
  local tail=()
  case $program in
    snapshot) tail=(--size 160x120 --out "$out.png") ;;
    import) tail=(-o "$out.png") ;;
  esac
  local status=0
  case $how in
    regular) "${args[@]}" "$file" "${tail[@]}" >"$out" 2>"$out.err" || status=$? ;;
    stdin) cat "$file" | "${args[@]}" /dev/stdin "${tail[@]}" >"$out" 2>"$out.err" || status=$? ;;
    substitution) "${args[@]}" <(cat "$file") "${tail[@]}" >"$out" 2>"$out.err" || status=$? ;;
    fifo)
      rm -f fifo && mkfifo fifo
      cat "$file" >fifo &
      timeout 60 "${args[@]}" fifo "${tail[@]}" >"$out" 2>"$out.err" || status=$?
      wait
      ;;
  esac
  echo "$status" >"$out.status"
}

for file in list.txt self.paf part.ngs self.paf.gz part.fa; do
  for program in summary snapshot import; do
    # A tandem list is what the import writes, not what it reads; a FASTA is aligned once.
    [ "$file" = list.txt ] && [ "$program" = import ] && continue
    [ "$file" = part.fa ] && [ "$program" != summary ] && continue
    runAs regular "$program" "$file" want
    [ "$(cat want.status)" = 0 ] || fail "$program $file: exit $(cat want.status): $(cat want.err)"
    for how in stdin substitution fifo; do
      runAs "$how" "$program" "$file" got
      [ "$(cat got.status)" = 0 ] || fail "$program $file as $how: exit $(cat got.status): $(cat got.err)"
      cmp -s want got || fail "$program $file as $how: output differs from the regular file's"
      [ "$program" = summary ] || cmp -s want.png got.png || fail "$program $file as $how: written file differs"
    done
  done
done
echo "named streams: every format reads through a pipe, <(...) and a FIFO as from a regular file"
