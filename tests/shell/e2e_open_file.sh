#!/usr/bin/env bash
# The viewer opening a file named on its command line, in an X server of its own: a PAF
# self-alignment loads as its imported list does (same summary, same picture, the
# importer's report on standard error), and a file that cannot be read is refused before
# any window opens; a move list beyond a few seconds' work is refused once the bars are
# counted, and a standard output that cannot take the summary fails the run when the window
# closes.
#   e2e_open_file.sh native VIEWER TOOLS_DIR    (the GLFW build)
#   e2e_open_file.sh wine VIEWER.exe TOOLS_DIR  (the Windows build under Wine)
mode=$1
viewer=$2
. "$(dirname "$0")/x_session.sh"
[ -f "$viewer" ] || fail "no viewer at $viewer (build it first)"
startSession "$3"
cd "$sessionDir"

prepareRunner "$mode"

# The whole sequence on itself, five repeats each seen from both copies, one of them
# inverted, a line to skip and a hit into another sequence.
{
  printf 'chr\t300000\t0\t300000\t+\tchr\t300000\t0\t300000\t300000\t300000\t60\n'
  for pair in 5000:25000:300:+ 15000:60000:240:- 30000:90000:180:+ 45000:120000:400:- 95000:180000:360:+; do
    IFS=: read -r a b len strand <<<"$pair"
    printf 'chr\t300000\t%d\t%d\t%s\tchr\t300000\t%d\t%d\t%d\t%d\t0\n' "$a" $((a + len)) "$strand" "$b" $((b + len)) $((len - 3)) "$len"
    printf 'chr\t300000\t%d\t%d\t%s\tchr\t300000\t%d\t%d\t%d\t%d\t0\n' "$b" $((b + len)) "$strand" "$a" $((a + len)) $((len - 3)) "$len"
  done
  printf 'chr\t300000\tnot a row\n'
  printf 'chr\t300000\t7000\t7100\t+\tplasmid\t800\t100\t200\t100\t100\t0\n'
} >self.paf
"$toolsDir/quelvar-import" self.paf >date.txt 2>import-err.txt
"$toolsDir/quelvar-summary" date.txt >expected.txt
expectedErr=$(cat import-err.txt)

# Refused before any window: the message, exit 1, no window ever mapped.
status=0
"${run[@]}" "$viewer" /nonexistent/pairs.paf >missing-out.txt 2>missing-err.txt || status=$?
[ "$status" -eq 1 ] || fail "an unreadable FILE: exit code $status"
[ "$(tr -d '\r' <missing-err.txt)" = "quelvar: cannot read /nonexistent/pairs.paf: No such file or directory" ] ||
  fail "an unreadable FILE: message '$(cat missing-err.txt)'"
[ ! -s missing-out.txt ] || fail "an unreadable FILE: output '$(cat missing-out.txt)'"
findViewerWindow 1 >/dev/null && fail "a window opened for an unreadable FILE"

# Starts the viewer with the arguments given, waits for its window and summary, shoots the
# picture into $1, and closes it.
showAndClose() {
  local picture=$1
  shift
  openViewer "$@"
  shoot "$picture" 1
  closeViewer "$*"
}

showAndClose list.ppm date.txt
[ "$(tr -d '\r' <out.txt)" = "$(cat expected.txt)" ] || fail "the imported list's summary: $(cat out.txt)"
showAndClose paf.ppm self.paf
[ "$(tr -d '\r' <out.txt)" = "$(cat expected.txt)" ] || fail "summary of self.paf: $(cat out.txt), not $(cat expected.txt)"
[ "$(tr -d '\r' <err.txt)" = "$expectedErr" ] || fail "standard error for self.paf: $(cat err.txt)"
[ "$(classCount paf.ppm blue)" -gt 500 ] || fail "no bars: $(colours paf.ppm)"
[ "$(differingPixels list.ppm paf.ppm)" -eq 0 ] || fail "self.paf does not draw as its imported list"
# 2 x 10^8 slide steps over the fixed table's bars (date.txt, the imported list): refused
# with exit 2 as soon as the load counts them. A named file's store moves no bar a step.
status=0
"${run[@]}" "$viewer" --moves x+100000000,y+100000000 >moves-out.txt 2>moves-err.txt || status=$?
[ "$status" -eq 2 ] || fail "an overlong move list: exit code $status"
grep -q '^quelvar: --zoom-steps and --moves make 200,000,000 steps over 10 bars' moves-err.txt ||
  fail "an overlong move list: message '$(cat moves-err.txt)'"

# Standard output full: the viewer runs as ever, and once closed says the summary was lost.
"${run[@]}" "$viewer" >/dev/full 2>full-err.txt &
viewerPid=$!
window=$(findViewerWindow 300) || fail "no viewer window with a full standard output"
sleep 1
"$toolsDir/close_window" "$window"
status=0
wait "$viewerPid" || status=$?
viewerPid=
[ "$status" -eq 1 ] || fail "a full standard output: exit code $status"
[ "$(tr -d '\r' <full-err.txt)" = "quelvar: cannot write standard output: No space left on device" ] ||
  fail "a full standard output: message '$(cat full-err.txt)'"
# A load that fails once the window is open (a gzip cut short past its first look) is said
# in the window, in red, and on standard error; closing the window then ends with exit 1.
# Natively a FASTA that names two records alike fails the same way.
showsFailure() {
  local what=$1 says=$2
  shift 2
  openViewer "$@"
  local i
  for i in $(seq 50); do
    grep -q "$says" err.txt && break
    sleep 0.2
  done
  shoot failed.ppm 1
  [ "$(classCount failed.ppm red)" -gt 20 ] || fail "$what: no reason drawn in the window: $(colours failed.ppm)"
  [ "$(classCount failed.ppm blue)" -eq 0 ] || fail "$what: bars drawn after a failed load"
  "$toolsDir/close_window" "$window"
  local status=0
  wait "$viewerPid" || status=$?
  viewerPid=
  [ "$status" -eq 1 ] || fail "$what: exit code $status after closing"
  grep -q "$says" err.txt || fail "$what: standard error '$(cat err.txt)'"
}
for i in $(seq 3000); do
  printf 'chr\t900000\t%d\t%d\t+\tchr\t900000\t%d\t%d\t300\t300\t0\n' $((i * 100)) $((i * 100 + 300)) \
    $((i * 100 + 450000)) $((i * 100 + 450300))
done | gzip -c >long.paf.gz
head -c $(($(stat -c %s long.paf.gz) * 9 / 10)) long.paf.gz >cut.paf.gz
showsFailure "a cut gzip" "cannot read cut.paf.gz: its gzip data ends early" cut.paf.gz
showsFailure "a --chrom no pair names" "no pair names nowhere" --chrom nowhere self.paf
if [ "$mode" = native ]; then
  printf '>a\nACGTACGTACGTTTGACCA\n>a\nGGGGCCCCAATTGACGTA\n' >twice.fa
  showsFailure "a FASTA naming two records alike" "twice.fa names two sequences a" twice.fa
  # Through a pipe the file reads as from the disk.
  showAndClose pipe.ppm <(cat self.paf)
  [ "$(tr -d '\r' <out.txt)" = "$(cat expected.txt)" ] || fail "summary of self.paf through a pipe: $(cat out.txt)"
fi

# A genome FASTA: natively aligned in process behind a progress screen, its summary that of
# quelvar-summary, and closing the window mid-way stops the work; the Windows build refuses
# it before any window, saying how to align it outside.
contigs=/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz
if [ "$mode" = wine ]; then
  status=0
  "${run[@]}" "$viewer" "$contigs" >fasta-out.txt 2>fasta-err.txt || status=$?
  [ "$status" -eq 1 ] || fail "a FASTA on Windows: exit code $status"
  grep -q 'is a FASTA, and this build cannot align it; align it with minimap2' fasta-err.txt ||
    fail "a FASTA on Windows: message '$(cat fasta-err.txt)'"
  findViewerWindow 1 >/dev/null && fail "a window opened for a FASTA on Windows"
else
  "$toolsDir/quelvar-summary" "$contigs" >fasta-expected.txt 2>/dev/null
  showAndClose fasta.ppm "$contigs"
  [ "$(cat out.txt)" = "$(cat fasta-expected.txt)" ] || fail "summary of a FASTA: $(cat out.txt)"
  [ "$(classCount fasta.ppm blue)" -gt 100 ] || fail "no bars for a FASTA: $(colours fasta.ppm)"
  # Long enough on one thread to be caught at work.
  zcat /usr/share/doc/ragout/examples/*/references/*.fasta.gz >genomes.fa
  "$viewer" --threads 1 genomes.fa >out.txt 2>err.txt &
  viewerPid=$!
  window=$(findViewerWindow 300) || fail "no window while a FASTA aligns"
  read -r clientX clientY clientW clientH < <(windowGeometry "$window")
  shoot working.ppm 1.5
  [ ! -s out.txt ] || fail "the summary came before the alignment could be watched"
  [ "$(classCount working.ppm other)" -gt 200 ] || fail "no progress drawn: $(colours working.ppm)"
  closeViewer "a FASTA closed while aligning"
  grep -q 'closed before the alignment was done; it was stopped' err.txt || fail "the stop unsaid: $(cat err.txt)"
  [ ! -s out.txt ] || fail "a summary after the stop: $(cat out.txt)"
fi
echo "e2e open file $mode: passed"
