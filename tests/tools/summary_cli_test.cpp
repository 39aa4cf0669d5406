#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tool_run.h"

namespace {

TEST(SummaryTool, ReadsDateTxtFromTheWorkingFolderByDefault) {
  std::string folder = scratchFolder("summary_default");
  writeWholeFile(folder + "/date.txt", "100/200/50/7\n100;300;25;0\n");
  ToolResult run = runBuilt("quelvar-summary", folder);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "Count tandem load - 5\nMax len tandem - 50\n");
  EXPECT_EQ(run.err, "");
}

TEST(SummaryTool, RecordsListsEverySlotAfterNormalisation) {
  std::string folder = scratchFolder("summary_records");
  writeWholeFile(folder + "/pairs.txt", "100/200/50/7 100/300/25/0");
  ToolResult run = runBuilt("quelvar-summary --records pairs.txt", folder);
  ASSERT_EQ(run.exitCode, 0);
  std::istringstream lines(run.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "Count tandem load - 5");
  std::getline(lines, line);
  std::getline(lines, line);
  EXPECT_EQ(line.substr(0, line.find('\t', line.find('\t', line.find('\t', line.find('\t') + 1) + 1) + 1)),
            "1\t100\t200\t7");
  std::getline(lines, line);
  std::getline(lines, line);  // slot 3: the second bar at 100 stands one row further along y
  std::istringstream fields(line);
  std::string slot, pos, partner, len, x, y;
  fields >> slot >> pos >> partner >> len >> x >> y;
  // nine significant digits show what a bar holds exactly: a named file's x is a double
  // from its position, its y a float
  EXPECT_EQ(slot + " " + pos + " " + partner + " " + len + " " + x + " " + y, "3 100 300 3.5 0.001 0.200000003");
}

TEST(SummaryTool, MatchesTheViewersColoursAfterTheFloorsDraws) {
  // The floor takes 1,600 rand() values first; the first pair's red channel is the 1,601st.
  std::srand(1);
  for (int i = 0; i < 1600; ++i) std::rand();
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.9g", static_cast<double>(static_cast<float>(std::rand() % 255) / 255.0f));
  std::string folder = scratchFolder("summary_colour");
  writeWholeFile(folder + "/date.txt", "1/2/50");
  ToolResult run = runBuilt("quelvar-summary --records", folder);
  std::istringstream lines(run.out);
  std::string line, field;
  for (int i = 0; i < 3; ++i) std::getline(lines, line);
  std::istringstream fields(line);
  for (int i = 0; i < 7; ++i) fields >> field;
  EXPECT_EQ(field, expected);
}

TEST(SummaryTool, MissingFilesAndBadOptions) {
  std::string folder = scratchFolder("summary_errors");
  ToolResult missing = runBuilt("quelvar-summary", folder);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "UPSCount tandem load - 1\nMax len tandem - 0\n");
  EXPECT_NE(missing.err.find("cannot read date.txt"), std::string::npos) << missing.err;
  // "UPS" is date.txt's alone: a named file is refused before any summary.
  ToolResult named = runBuilt("quelvar-summary missing.paf", folder);
  EXPECT_EQ(named.exitCode, 1);
  EXPECT_EQ(named.out, "");
  EXPECT_EQ(named.err, "quelvar-summary: cannot read missing.paf: No such file or directory\n");
  ToolResult bad = runBuilt("quelvar-summary --colour", folder);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "quelvar-summary: unknown option '--colour'\nTry 'quelvar-summary --help' for more information.\n");
  EXPECT_EQ(runBuilt("quelvar-summary a b", folder).exitCode, 2);
}

// Two contigs laid end to end: a pair within ctgA, an inverted one between the two, a short
// one within ctgB.
const char kTwoContigs[] =
    "ctgA\t10000\t100\t1100\t+\tctgA\t10000\t5000\t6000\t990\t1000\t60\n"
    "ctgA\t10000\t200\t500\t-\tctgB\t8000\t7000\t7300\t290\t300\t60\n"
    "ctgB\t8000\t10\t60\t+\tctgB\t8000\t3000\t3050\t50\t50\t60\n";

TEST(SummaryTool, StatsAndPairsSpeakInSequencesAndFilterAsTheViewerShows) {
  std::string folder = scratchFolder("summary_stats");
  writeWholeFile(folder + "/two.paf", kTwoContigs);
  ToolResult stats = runBuilt("quelvar-summary --stats --all-sequences two.paf", folder);
  EXPECT_EQ(stats.exitCode, 0);
  EXPECT_EQ(stats.out,
            "pairs\t3\nshown\t3\nshown longer than 1 kb\t0\nshown inverted\t1\n"
            "shown between two sequences\t1\nshown on ctgA\t2\nshown on ctgB\t2\n");
  EXPECT_NE(stats.err.find("Count tandem load - 7\nMax len tandem - 1000\n"), std::string::npos) << stats.err;
  ToolResult pairs = runBuilt("quelvar-summary --pairs --all-sequences --min-length 300 two.paf", folder);
  EXPECT_EQ(pairs.exitCode, 0);
  EXPECT_EQ(pairs.out,
            "# length\tsequence\tstart\tend\tpartner sequence\tpartner start\tpartner end\tstrand\tidentity\n"
            "1000\tctgA\t101\t1100\tctgA\t5001\t6000\t+\t99.00\n"
            "300\tctgA\t201\t500\tctgB\t7001\t7300\t-\t96.67\n");
  ToolResult alike = runBuilt("quelvar-summary --stats --all-sequences --min-identity 99.5 two.paf", folder);
  EXPECT_NE(alike.out.find("shown\t1\n"), std::string::npos) << alike.out;
  ToolResult region = runBuilt("quelvar-summary --stats --all-sequences --region ctgB two.paf", folder);
  EXPECT_NE(region.out.find("shown\t2\n"), std::string::npos) << "an end on ctgB: " << region.out;
  ToolResult stretch = runBuilt("quelvar-summary --pairs --all-sequences --region ctgA:1-150 two.paf", folder);
  EXPECT_EQ(std::count(stretch.out.begin(), stretch.out.end(), '\n'), 2) << stretch.out;
  ToolResult nowhere = runBuilt("quelvar-summary --stats --all-sequences --region ctgQ two.paf", folder);
  EXPECT_EQ(nowhere.exitCode, 2);
  EXPECT_NE(nowhere.err.find("no sequence named 'ctgQ'"), std::string::npos) << nowhere.err;
  EXPECT_EQ(runBuilt("quelvar-summary --min-length 5 two.paf", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-summary --stats --pairs two.paf", folder).exitCode, 2);
}

// Copies of different spans: each keeps its own ends, the bar the longer copy's length.
TEST(SummaryTool, PairsGiveEachCopyItsOwnEnds) {
  std::string folder = scratchFolder("summary_extents");
  writeWholeFile(folder + "/gapped.paf",
                 "ctgA\t9000\t100\t1090\t+\tctgA\t9000\t5000\t6000\t990\t1000\t60\n"
                 "ctgA\t9000\t2000\t2500\t-\tctgA\t9000\t7000\t7480\t470\t500\t60\n");
  ToolResult pairs = runBuilt("quelvar-summary --pairs --all-sequences gapped.paf", folder);
  EXPECT_EQ(pairs.exitCode, 0);
  EXPECT_EQ(pairs.out,
            "# length\tsequence\tstart\tend\tpartner sequence\tpartner start\tpartner end\tstrand\tidentity\n"
            "1000\tctgA\t101\t1090\tctgA\t5001\t6000\t+\t99.00\n"
            "500\tctgA\t2001\t2500\tctgA\t7001\t7480\t-\t94.00\n");
  EXPECT_NE(pairs.err.find("Max len tandem - 1000\n"), std::string::npos) << pairs.err;
}

}  // namespace
