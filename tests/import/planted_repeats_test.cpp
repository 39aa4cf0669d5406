// The real repeat finders on a sequence whose repeats are known: Debian's repeat-match,
// nucmer and show-coords (package mummer), minimap2 and blastn (ncbi-blast+). Each planted
// pair must come out of the importer at its exact positions and orientation, with the
// identity the tool reports.
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
    if (fields.get() == '/') fields >> p.identity;
    // A pair's two copies come in the order the aligner reported the hit kept.
    if (p.pos > p.partner) std::swap(p.pos, p.partner);
    pairs.push_back(p);
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

std::string describe(const std::vector<ExpectedPair>& pairs) {
  std::string text;
  for (const ExpectedPair& p : pairs)
    text += std::to_string(p.pos) + "/" + std::to_string(p.partner) + "/" + std::to_string(p.len) + "/" +
            std::to_string(p.orientation) + "/" + p.identity + "\n";
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
  EXPECT_EQ(describe(parseList(longer.out)), "15000/24000/800/1/100.00\n46000/52000/600/1/100.00\n");
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
    EXPECT_NE(imported.err.find("6 mirrors merged"), std::string::npos) << imported.err;
    std::remove((dir + "/list.txt").c_str());
  }
}

// A chromosome and a plasmid cut from one planted sequence, so that the pairs of
// --all-sequences lie at the planted positions. Copies with mismatches have an identity
// below 100; two pairs join the two sequences.
constexpr int64_t kChrLength = 60000;
const std::vector<PlantedRepeat> kGenomeRepeats = {
    {500, {{2000, false}, {9000, false}}},
    {800, {{15000, false}, {24000, true}}, 60},   // 13 mismatches: 98.38
    {600, {{33000, false}, {41000, false}}, 50},  // 12: 98.00
    {400, {{50000, false}, {45000, true}}, 40},   // 10: 97.50
    {900, {{20000, false}, {63000, false}}, 70},  // into the plasmid, 13: 98.56
    {300, {{30000, false}, {68000, true}}},
};

struct PlantedGenome : ::testing::Test {
  std::string dir;
  std::string genome;
  std::vector<ExpectedPair> all = expectedPairs(kGenomeRepeats);
  std::vector<ExpectedPair> onChr;

  void SetUp() override {
    dir = makeScratchDir();
    genome = dir + "/genome.fa";
    std::string bases = plantRepeats(20261208, 72000, kGenomeRepeats);
    writeWholeFile(genome, asFasta("chr", bases.substr(0, kChrLength)) + asFasta("plasmid", bases.substr(kChrLength)));
    for (const ExpectedPair& p : all)
      if (p.partner < kChrLength) onChr.push_back(p);
  }
  void TearDown() override { removeTree(dir); }

  // Imports found (the tool's output) without --from, on chr alone and on both sequences.
  void expectEveryPlantedPair(const std::string& found) {
    ToolResult chr = runTool({kImport, found});
    ASSERT_EQ(chr.exitCode, 0) << chr.err;
    EXPECT_EQ(describe(parseList(chr.out)), describe(onChr)) << readWholeFile(found);
    ToolResult both = runTool({kImport, "--all-sequences", found});
    ASSERT_EQ(both.exitCode, 0) << both.err;
    EXPECT_EQ(describe(parseList(both.out)), describe(all)) << readWholeFile(found);
    EXPECT_NE(both.err.find("  chr\t0\t60000\n  plasmid\t60000\t12000\n"), std::string::npos) << both.err;
  }
};

// blastn on the genome against itself reports every region on itself and every repeat from
// both copies; its identity has three decimals (98.375 for the 800-base repeat).
TEST_F(PlantedGenome, BlastSelfComparisonFindsEveryPlantedPair) {
  if (findOnPath("blastn").empty())
    GTEST_SKIP() << "blastn is not installed (Debian package ncbi-blast+; scripts/deps.sh installs it)";
  for (const char* format : {"6", "7"}) {
    SCOPED_TRACE(format);
    ToolResult blast = runTool({"blastn", "-query", genome, "-subject", genome, "-outfmt", format});
    ASSERT_EQ(blast.exitCode, 0) << blast.err;
    EXPECT_NE(blast.out.find("\t98.375\t800\t"), std::string::npos) << blast.out;
    writeWholeFile(dir + "/found.tsv", blast.out);
    expectEveryPlantedPair(dir + "/found.tsv");
  }
}

// nucmer needs --maxmatch and --nosimplify to report the repeats of a sequence against itself.
TEST_F(PlantedGenome, ShowCoordsTablesFindEveryPlantedPair) {
  if (findOnPath("nucmer").empty() || findOnPath("show-coords").empty())
    GTEST_SKIP() << "nucmer is not installed (Debian package mummer; scripts/deps.sh installs it)";
  ToolResult aligned = runTool({"nucmer", "--maxmatch", "--nosimplify", "-p", dir + "/self", genome, genome});
  ASSERT_EQ(aligned.exitCode, 0) << aligned.err;
  for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"-T"}, {"-T", "-H"}}) {
    SCOPED_TRACE(options.empty() ? "table" : options.back());
    std::vector<std::string> argv = {"show-coords"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(dir + "/self.delta");
    ToolResult coords = runTool(argv);
    ASSERT_EQ(coords.exitCode, 0) << coords.err;
    EXPECT_NE(coords.out.find("98.38"), std::string::npos) << coords.out;
    writeWholeFile(dir + "/found.coords", coords.out);
    expectEveryPlantedPair(dir + "/found.coords");
  }
}

}  // namespace
