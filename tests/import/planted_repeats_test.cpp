// The real repeat finders on a sequence whose repeats are known: Debian's repeat-match
// (package mummer) and minimap2. Each planted pair must come out of the importer at its
// exact positions and orientation.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "planted_genome.h"
#include "tool_run.h"

namespace {

const std::string kImport = QUELVAR_IMPORT_BIN;
const std::string kSummary = QUELVAR_SUMMARY_BIN;

// Same-strand and reverse-complement copies, a reverse copy placed before its original,
// and a group of three in which two pairs are reverse and one is not.
const std::vector<PlantedRepeat> kRepeats = {
    {500, {{2000, false}, {9000, false}}},
    {800, {{15000, false}, {24000, true}}},
    {400, {{31000, false}, {36000, false}, {41000, true}}},
    {600, {{52000, false}, {46000, true}}},
};
constexpr int64_t kGenomeLength = 60000;

std::vector<ExpectedPair> parseList(const std::string& text) {
  std::vector<ExpectedPair> pairs;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    ExpectedPair p{};
    char s1 = 0, s2 = 0, s3 = 0;
    std::istringstream fields(token);
    fields >> p.pos >> s1 >> p.partner >> s2 >> p.len >> s3 >> p.orientation;
    EXPECT_TRUE(fields && s1 == '/' && s2 == '/' && s3 == '/') << token;
    pairs.push_back(p);
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

std::string describe(const std::vector<ExpectedPair>& pairs) {
  std::string text;
  for (const ExpectedPair& p : pairs)
    text += std::to_string(p.pos) + "/" + std::to_string(p.partner) + "/" + std::to_string(p.len) + "/" +
            std::to_string(p.orientation) + "\n";
  return text;
}

struct PlantedRepeats : ::testing::Test {
  std::string dir;
  std::string genome;
  std::vector<ExpectedPair> expected = expectedPairs(kRepeats);

  void SetUp() override {
    dir = makeScratchDir();
    genome = dir + "/genome.fa";
    writeWholeFile(genome, asFasta("planted", plantRepeats(20261207, kGenomeLength, kRepeats)));
  }
  void TearDown() override { removeTree(dir); }

  // Runs a finder with its output into a file, then imports that file without --from.
  ToolResult findAndImport(const std::vector<std::string>& finder, const std::string& found) {
    ToolResult run = runTool(finder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    writeWholeFile(found, run.out);
    return runTool({kImport, "--out", dir + "/list.txt", found});
  }
};

TEST_F(PlantedRepeats, RepeatMatchFindsExactlyThePlantedPairs) {
  if (findOnPath("repeat-match").empty())
    GTEST_SKIP() << "repeat-match is not installed (Debian package mummer; scripts/deps.sh installs it)";
  ToolResult imported = findAndImport({"repeat-match", "-n", "100", genome}, dir + "/found.txt");
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_NE(imported.err.find("imported 6 pairs; skipped none"), std::string::npos) << imported.err;
  EXPECT_EQ(describe(parseList(readWholeFile(dir + "/list.txt"))), describe(expected));

  // Each pair becomes two bars; the longest planted repeat is 800.
  ToolResult summary = runTool({kSummary, dir + "/list.txt"});
  EXPECT_EQ(summary.out, "Count tandem load - 13\nMax len tandem - 800\n");

  // --min-length sits between the planted lengths.
  ToolResult longer = runTool({kImport, "--min-length", "600", dir + "/found.txt"});
  EXPECT_EQ(describe(parseList(longer.out)), "15000/24000/800/1\n46000/52000/600/1\n");
  EXPECT_NE(longer.err.find("4 shorter than --min-length"), std::string::npos) << longer.err;
}

// -X is minimap2's all-against-all preset: no hit of a region on itself, every chain kept;
// -c aligns base by base, so the ends are exact. -DP is the same without the long joins.
TEST_F(PlantedRepeats, MinimapSelfAlignmentFindsEveryPlantedPairOnce) {
  if (findOnPath("minimap2").empty())
    GTEST_SKIP() << "minimap2 is not installed (Debian package minimap2; scripts/deps.sh installs it)";
  for (const std::vector<std::string>& options : {std::vector<std::string>{"-c", "-X"}, {"-c", "-DP"}}) {
    SCOPED_TRACE(options[1]);
    std::vector<std::string> finder = {"minimap2"};
    finder.insert(finder.end(), options.begin(), options.end());
    finder.push_back(genome);
    finder.push_back(genome);
    ToolResult imported = findAndImport(finder, dir + "/found.paf");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    std::string list = readWholeFile(dir + "/list.txt");
    EXPECT_EQ(describe(parseList(list)), describe(expected)) << readWholeFile(dir + "/found.paf");
    EXPECT_NE(imported.err.find("keeping the pairs on planted"), std::string::npos) << imported.err;
    // The aligner reports each repeat from both copies; the second report is counted, not kept.
    EXPECT_NE(imported.err.find("6 mirror hits"), std::string::npos) << imported.err;
    std::remove((dir + "/list.txt").c_str());
  }
}

}  // namespace
