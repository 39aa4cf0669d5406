// Identity tiles as quelvar-summary --tiles W --pairs lists them: on a made satellite array
// they tell the identity its copies were made with and the strand of a reversed copy; on a
// real genome they agree with the alignment of its repeats. And the guess of the alignment's
// time that suggests them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "align_estimate.h"
#include "fasta_scan.h"
#include "satellite_array.h"
#include "tool_run.h"

namespace {

const char kMG1655[] = "/usr/share/doc/ragout/examples/E.Coli/references/MG1655-K12.fasta.gz";

struct Listed {
  int64_t length;
  std::string sequence;
  int64_t start, end;
  std::string partnerSequence;
  int64_t partnerStart, partnerEnd;
  char strand;
  double identity;
};

std::vector<Listed> listed(const std::string& text) {
  std::vector<Listed> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Listed row{};
    fields >> row.length >> row.sequence >> row.start >> row.end >> row.partnerSequence >> row.partnerStart >>
        row.partnerEnd >> row.strand >> row.identity;
    rows.push_back(row);
  }
  return rows;
}

struct Tiles : ::testing::Test {
  std::string dir = makeScratchDir();
  ~Tiles() override { removeTree(dir); }
  ToolResult summary(const std::string& arguments) {
    return runCommand(builtProgram("quelvar-summary") + " " + arguments, dir);
  }
};

// Copies of a higher-order repeat 1% apart from it are about 98% alike; the array's last
// 100 kb reversed as a second sequence meets the array on the other strand.
TEST_F(Tiles, SatelliteArrayTellsItsCopiesIdentityAndStrand) {
  SatelliteShape shape;
  shape.bases = 400000;
  std::string array = satelliteArray(shape);
  writeWholeFile(dir + "/satellite.fa",
                 fastaRecord("array", array) + fastaRecord("reversed", reverseComplement(array.substr(300000))));
  ToolResult run = summary("--tiles 5000 --pairs satellite.fa");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("identity tiles of satellite.fa"), std::string::npos) << "the route is said";
  std::vector<Listed> rows = listed(run.out);
  const size_t windows = 80 + 20;
  ASSERT_EQ(rows.size(), windows * (windows - 1) / 2) << "every window meets every other, none itself";
  double sum = 0;
  for (const Listed& row : rows) {
    EXPECT_FALSE(row.sequence == row.partnerSequence && row.start == row.partnerStart);
    EXPECT_EQ(row.length, 5000);
    EXPECT_EQ(row.strand, row.sequence == row.partnerSequence ? '+' : '-') << row.start << " " << row.partnerStart;
    sum += row.identity;
  }
  EXPECT_NEAR(sum / static_cast<double>(rows.size()), 98.0, 1.0);

  writeWholeFile(dir + "/pairs.txt", "100/2000/300/0\n");
  ToolResult notFasta = summary("--tiles 5000 pairs.txt");
  EXPECT_EQ(notFasta.exitCode, 2);
  EXPECT_NE(notFasta.err.find("--tiles goes with a FASTA"), std::string::npos) << notFasta.err;
}

// The rRNA operons of E. coli K-12, aligned at 90% and more: the tiles of windows inside
// one copy against the windows where the alignment puts it tell about its identity.
TEST_F(Tiles, AgreeWithTheAlignmentOfARealGenomesRepeats) {
  if (readWholeFile(kMG1655).empty()) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  const int64_t window = 1000;
  ToolResult aligned = summary(std::string("--pairs ") + kMG1655);
  ToolResult tiled = summary("--tiles 1000 --pairs " + std::string(kMG1655));
  ASSERT_EQ(aligned.exitCode, 0) << aligned.err;
  ASSERT_EQ(tiled.exitCode, 0) << tiled.err;
  std::map<std::pair<int64_t, int64_t>, double> tiles;  // by both windows' 0-based starts
  for (const Listed& row : listed(tiled.out)) {
    tiles[{row.start - 1, row.partnerStart - 1}] = row.identity;
    tiles[{row.partnerStart - 1, row.start - 1}] = row.identity;
  }
  int repeats = 0;
  double alignedSum = 0, tiledSum = 0;
  for (const Listed& pair : listed(aligned.out)) {
    if (pair.length < 3000 || pair.identity < 90) continue;
    double best = 0;
    int covered = 0;
    double sum = 0;
    for (int64_t at = (pair.start - 1 + window - 1) / window * window; at + window <= pair.end; at += window) {
      int64_t offset = at - (pair.start - 1);
      int64_t partner = pair.strand == '+' ? pair.partnerStart - 1 + offset : pair.partnerEnd - offset - window;
      // The partner copy lies across two windows; the one holding more of it tells best.
      best = 0;
      for (int64_t candidate : {partner / window * window, partner / window * window + window}) {
        auto found = tiles.find({at, candidate});
        if (found != tiles.end() && found->second > best) best = found->second;
      }
      EXPECT_GT(best, 90.0) << "window " << at << " of the repeat at " << pair.start;
      sum += best;
      ++covered;
    }
    if (covered == 0) continue;
    ++repeats;
    alignedSum += pair.identity;
    tiledSum += sum / covered;
  }
  ASSERT_GE(repeats, 20) << "the seven rRNA operons, each against the others";
  EXPECT_NEAR(tiledSum / repeats, alignedSum / repeats, 3.0);
}

}  // namespace

namespace {

void sampleInto(void* context, size_t record, char base) { sampleBase(*static_cast<RepeatSample*>(context), record, base); }

AlignEstimate guessFor(const std::string& path) {
  FastaScan scan;
  RepeatSample sample;
  std::string error;
  EXPECT_TRUE(scanFasta(path.c_str(), scan, nullptr, nullptr, error, nullptr, BaseSink{sampleInto, &sample})) << error;
  return estimateAlignment(sample, scan.bases, 2);
}

// The guess that picks the route: a satellite array of a megabase is beyond minutes and
// the line says to tile it; a bacterium of 4.6 Mb is not.
TEST_F(Tiles, RouteGuessTellsASatelliteArrayFromABacterium) {
  if (readWholeFile(kMG1655).empty()) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  SatelliteShape shape;
  shape.bases = 1000000;
  writeWholeFile(dir + "/satellite.fa", fastaRecord("array", satelliteArray(shape)));
  AlignEstimate satellite = guessFor(dir + "/satellite.fa");
  AlignEstimate bacterium = guessFor(kMG1655);
  EXPECT_GT(satellite.seconds, kLongAlignSeconds);
  EXPECT_LT(bacterium.seconds, kLongAlignSeconds / 10);
  EXPECT_NE(alignRouteText("satellite.fa", shape.bases, satellite).find("--tiles"), std::string::npos);
  EXPECT_EQ(alignRouteText("genome.fa", 4641652, bacterium).find("--tiles"), std::string::npos);
}

}  // namespace
