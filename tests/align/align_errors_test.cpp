// What cannot be aligned fails with one clear line and hands out nothing; a cancel stops
// the lines at once.
#include <gtest/gtest.h>

#include "genomes.h"
#include "tool_run.h"

namespace {

void expectFailure(const std::string& path, const std::string& preset, const std::string& reason) {
  AlignCall call;
  call.preset = preset;
  InProcess result = alignInProcess(path, call);
  EXPECT_FALSE(result.ok) << path;
  EXPECT_NE(result.error.find(reason), std::string::npos) << path << ": " << result.error;
  EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
  EXPECT_TRUE(result.lines.empty()) << path;
  EXPECT_TRUE(result.sequences.empty()) << path;
}

TEST(SelfAlignErrors, UnreadableEmptyAndNonFastaFilesFail) {
  std::string folder = scratchFolder("align-errors");
  expectFailure(folder + "/missing.fa", "", "cannot open " + folder + "/missing.fa: No such file or directory");
  expectFailure(folder, "", "it is a folder");

  writeWholeFile(folder + "/empty.fa", "");
  expectFailure(folder + "/empty.fa", "", folder + "/empty.fa is empty");
  runCommand("gzip -c empty.fa > empty.fa.gz", folder);
  expectFailure(folder + "/empty.fa.gz", "", "is empty");
  writeWholeFile(folder + "/blank.fa", "\n  \n");
  expectFailure(folder + "/blank.fa", "", "holds no FASTA sequence");

  // A FASTQ record in the middle, which minimap2 would read on as if nothing were amiss.
  writeWholeFile(folder + "/fastq.fa", ">one\nACGTACGT\n@two\nACGT\n+\nIIII\n");
  expectFailure(folder + "/fastq.fa", "", "line 3 starts with '@'");

  const char* xz = "/usr/share/doc/kleborate/examples/data/MGH78578.fna.xz";
  if (haveGenome(xz)) expectFailure(xz, "", std::string(xz) + " is not a FASTA file (plain or gzip)");
  const char* coords = "/usr/share/doc/ragout/examples/H.Pylori/SJM180.coords.gz";
  if (haveGenome(coords)) expectFailure(coords, "", "is not a FASTA file");
  removeTree(folder);
}

TEST(SelfAlignErrors, DamagedGzipFails) {
  if (!haveGenome(kContigs)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  std::string folder = scratchFolder("align-gzip");
  std::string whole = readWholeFile(kContigs);
  writeWholeFile(folder + "/cut.fa.gz", whole.substr(0, whole.size() / 2));
  expectFailure(folder + "/cut.fa.gz", "", "gzip data ends early");
  std::string flipped = whole;
  flipped[flipped.size() * 3 / 4] = static_cast<char>(flipped[flipped.size() * 3 / 4] ^ 0x55);
  writeWholeFile(folder + "/flipped.fa.gz", flipped);
  expectFailure(folder + "/flipped.fa.gz", "", "cannot read " + folder + "/flipped.fa.gz: ");
  removeTree(folder);
}

TEST(SelfAlignErrors, UnknownAndRefusedPresetsFail) {
  EXPECT_FALSE(knownAlignPreset("no-such"));
  EXPECT_FALSE(knownAlignPreset("sr"));
  EXPECT_TRUE(knownAlignPreset(""));
  EXPECT_TRUE(knownAlignPreset("asm5"));
  if (!haveGenome(kContigs)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  expectFailure(kContigs, "no-such", "minimap2 has no preset 'no-such'");
  expectFailure(kContigs, "sr", "preset 'sr'");
}

TEST(SelfAlignErrors, CancelStopsTheLines) {
  if (!haveGenome(kContigs)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  std::atomic<bool> cancel{true};
  AlignCall call;
  call.cancel = &cancel;
  InProcess before = alignInProcess(kContigs, call);
  EXPECT_FALSE(before.ok);
  EXPECT_EQ(before.error, "cancelled");
  EXPECT_TRUE(before.lines.empty());

  // Turned true by the sink on the first line: not one line more.
  cancel = false;
  call.cancelAtFirstLine = true;
  InProcess during = alignInProcess(kContigs, call);
  EXPECT_FALSE(during.ok);
  EXPECT_EQ(during.error, "cancelled");
  EXPECT_EQ(during.lines.size(), 1u);
  EXPECT_EQ(during.sequences.size(), 183u);
}

}  // namespace
