// The in-process self-alignment gives, line for line and in order, what Debian's minimap2
// binary writes for `minimap2 [-x PRESET] -c -X genome genome`, on real genomes.
#include <gtest/gtest.h>

#include "genomes.h"
#include "tool_run.h"

namespace {

#define SKIP_WITHOUT_GENOMES()                                                                          \
  if (!haveGenome(kChromosome) || !haveGenome(kContigs) || findOnPath("minimap2").empty())               \
  GTEST_SKIP() << "needs the Debian packages ragout-examples and minimap2 (scripts/deps.sh installs them)"

void expectSameLines(const std::vector<std::string>& binary, const InProcess& inProcess, const std::string& what) {
  ASSERT_TRUE(inProcess.ok) << what << ": " << inProcess.error;
  ASSERT_EQ(binary.size(), inProcess.lines.size()) << what;
  for (size_t i = 0; i < binary.size(); ++i) ASSERT_EQ(binary[i], inProcess.lines[i]) << what << ", line " << i + 1;
}

TEST(SelfAlign, ChromosomePlainAndGzipGiveTheBinarysLines) {
  SKIP_WITHOUT_GENOMES();
  std::string folder = scratchFolder("align-chromosome");
  std::string plain = plainCopy(kChromosome, folder);
  std::string failure;
  std::vector<std::string> binary = alignWithBinary(plain, "", failure);
  ASSERT_TRUE(failure.empty()) << failure;
  ASSERT_GT(binary.size(), 100u);  // a bacterial chromosome's repeats: rRNA operons, IS elements

  InProcess fromPlain = alignInProcess(plain);
  expectSameLines(binary, fromPlain, "plain FASTA");
  expectSameLines(binary, alignInProcess(kChromosome), "gzip FASTA");

  std::vector<FastaSequence> byAwk = sequencesByAwk(plain);
  ASSERT_EQ(byAwk.size(), 1u);
  ASSERT_EQ(fromPlain.sequences.size(), 1u);
  EXPECT_EQ(fromPlain.sequences[0].name, byAwk[0].name);
  EXPECT_EQ(fromPlain.sequences[0].length, byAwk[0].length);
  removeTree(folder);
}

TEST(SelfAlign, ContigsGiveTheBinarysLinesWithAnyThreadCount) {
  SKIP_WITHOUT_GENOMES();
  std::string failure;
  std::vector<std::string> binary = alignWithBinary(kContigs, "", failure);
  ASSERT_TRUE(failure.empty()) << failure;
  ASSERT_GT(binary.size(), 100u);
  for (int threads : {1, 3}) {
    AlignCall call;
    call.threads = threads;
    InProcess inProcess = alignInProcess(kContigs, call);
    expectSameLines(binary, inProcess, std::to_string(threads) + " threads");

    // Every contig, in file order, hits or not.
    std::string folder = scratchFolder("align-contigs");
    std::vector<FastaSequence> byAwk = sequencesByAwk(plainCopy(kContigs, folder));
    removeTree(folder);
    ASSERT_EQ(inProcess.sequences.size(), byAwk.size());
    ASSERT_EQ(byAwk.size(), 183u);
    for (size_t i = 0; i < byAwk.size(); ++i) {
      EXPECT_EQ(inProcess.sequences[i].name, byAwk[i].name) << "sequence " << i + 1;
      EXPECT_EQ(inProcess.sequences[i].length, byAwk[i].length) << "sequence " << i + 1;
    }
  }
}

TEST(SelfAlign, PresetsGiveTheBinarysLines) {
  SKIP_WITHOUT_GENOMES();
  struct Case {
    const char* genome;
    const char* preset;
  };
  for (const Case& c : {Case{kChromosome, "asm5"}, Case{kContigs, "asm20"}, Case{kContigs, "map-ont"}}) {
    std::string failure;
    std::vector<std::string> binary = alignWithBinary(c.genome, c.preset, failure);
    ASSERT_TRUE(failure.empty()) << failure;
    ASSERT_FALSE(binary.empty()) << c.preset;
    AlignCall call;
    call.preset = c.preset;
    expectSameLines(binary, alignInProcess(c.genome, call), std::string(c.preset) + " on " + c.genome);
  }
}

}  // namespace
