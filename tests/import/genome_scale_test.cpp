// Inputs past what a table of int32 positions and one read buffer held: a human genome laid
// end to end (GRCh38's 24 chromosome lengths, which no package holds, with a few generated
// hits near its end), and a real self-alignment (E. coli MG1655 from Debian's
// ragout-examples, aligned by minimap2 -c -X) repeated on sequences of its own until it
// spans several of the blocks its rows are read in.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

const char kImport[] = QUELVAR_IMPORT_BIN;
const char kSummary[] = QUELVAR_SUMMARY_BIN;

const char kGrch38Index[] =
    "chr1\t248956422\nchr2\t242193529\nchr3\t198295559\nchr4\t190214555\nchr5\t181538259\n"
    "chr6\t170805979\nchr7\t159345973\nchr8\t145138636\nchr9\t138394717\nchr10\t133797422\n"
    "chr11\t135086622\nchr12\t133275309\nchr13\t114364328\nchr14\t107043718\nchr15\t101991189\n"
    "chr16\t90338345\nchr17\t83257441\nchr18\t80373285\nchr19\t58617616\nchr20\t64444167\n"
    "chr21\t46709983\nchr22\t50818468\nchrX\t156040895\nchrY\t57227415\n";

class GenomeScale : public ::testing::Test {
 protected:
  std::string dir = makeScratchDir();
  void TearDown() override { removeTree(dir); }
};

// chrX starts at 2,875,001,522 and chrY at 3,031,042,417; the genome ends at 3,088,269,832.
TEST_F(GenomeScale, PairsNearTheEndOfAHumanGenomeStandAtTheirExactBases) {
  writeWholeFile(dir + "/genome.fai", kGrch38Index);
  writeWholeFile(dir + "/near-end.paf",
                 "chr1\t248956422\t1000\t1500\t+\tchrY\t57227415\t57226900\t57227400\t490\t500\t0\n"
                 "chrX\t156040895\t156040000\t156040800\t-\tchrY\t57227415\t100\t900\t800\t800\t0\n"
                 "chrY\t57227415\t57227000\t57227415\t+\tchrY\t57227415\t20\t440\t400\t420\t0\n");
  ToolResult r = runTool({kImport, "--all-sequences", "--fai", dir + "/genome.fai", dir + "/near-end.paf"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "1000/3088269317/500/0/98.00\n"
            "3031041522/3031042517/800/1/100.00\n"
            "3088269417/3031042437/420/0/95.24/5\n");
  EXPECT_NE(r.err.find("  chrY\t3031042417\t57227415\n"), std::string::npos) << r.err;

  // Opened as the viewer opens it, each copy is named back at its 1-based base.
  ToolResult listed =
      runTool({kSummary, "--pairs", "--all-sequences", "--fai", dir + "/genome.fai", dir + "/near-end.paf"});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  for (const char* line : {"800\tchrX\t156040001\t156040800\tchrY\t101\t900\t-\t100.00\n",
                           "500\tchr1\t1001\t1500\tchrY\t57226901\t57227400\t+\t98.00\n",
                           "420\tchrY\t57227001\t57227415\tchrY\t21\t440\t+\t95.24\n"})
    EXPECT_NE(listed.out.find(line), std::string::npos) << line << listed.out;
}

// Each copy's pairs come out as the one copy's, at its offset, in input order, however the
// blocks cut the lines.
TEST_F(GenomeScale, ARealSelfAlignmentRepeatedGivesEachCopysPairs) {
  std::string gzip = "/usr/share/doc/ragout/examples/E.Coli/references/MG1655-K12.fasta.gz";
  if (findOnPath("minimap2").empty() || readWholeFile(gzip).empty())
    GTEST_SKIP() << "needs ragout-examples and minimap2 (scripts/deps.sh installs them)";
  ASSERT_EQ(runCommand("gzip -dc " + gzip + " > g.fa && minimap2 -c -X -t 2 g.fa g.fa > g.paf 2>/dev/null", dir).exitCode,
            0);
  std::string paf = readWholeFile(dir + "/g.paf");
  const std::string name = "K-12-MG1655";
  const long long length = 4639675;
  ToolResult one = runTool({kImport, "--all-sequences", dir + "/g.paf"});
  ASSERT_EQ(one.exitCode, 0) << one.err;

  constexpr int kCopies = 100;  // 15 MB: several blocks
  std::string copies, expected;
  for (int copy = 0; copy < kCopies; ++copy) {
    std::string renamed = paf, own = "c" + std::to_string(copy);
    for (size_t at = renamed.find(name); at != std::string::npos; at = renamed.find(name, at + own.size()))
      renamed.replace(at, name.size(), own);
    copies += renamed;
    std::istringstream tokens(one.out);
    for (std::string token; std::getline(tokens, token);) {
      size_t first = token.find('/'), second = token.find('/', first + 1);
      long long pos = std::stoll(token.substr(0, first)), partner = std::stoll(token.substr(first + 1, second));
      expected += std::to_string(pos + copy * length) + "/" + std::to_string(partner + copy * length) +
                  token.substr(second) + "\n";
    }
  }
  writeWholeFile(dir + "/copies.paf", copies);
  ToolResult many = runTool({kImport, "--all-sequences", dir + "/copies.paf"});
  ASSERT_EQ(many.exitCode, 0) << many.err;
  EXPECT_EQ(many.out, expected);
}

}  // namespace
