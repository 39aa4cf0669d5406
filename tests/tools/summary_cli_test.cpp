#include <gtest/gtest.h>

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
  // floats print with nine significant digits, so what the table holds shows exactly
  EXPECT_EQ(slot + " " + pos + " " + partner + " " + len + " " + x + " " + y, "3 100 300 3.5 0.00100000005 0.200000003");
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
  ToolResult bad = runBuilt("quelvar-summary --colour", folder);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "quelvar-summary: unknown option '--colour'\nTry 'quelvar-summary --help' for more information.\n");
  EXPECT_EQ(runBuilt("quelvar-summary a b", folder).exitCode, 2);
}

}  // namespace
