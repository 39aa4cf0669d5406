#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tool_run.h"

namespace {

TEST(GenerateTool, SameArgumentsSameBytesAndEveryTokenLoads) {
  std::string folder = scratchFolder("generate");
  ToolResult first = runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 3", folder);
  ToolResult again = runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 3", folder);
  ASSERT_EQ(first.exitCode, 0);
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 4", folder).out);

  std::istringstream lines(first.out);
  std::string line;
  std::set<std::string> positions;
  int count = 0, shared = 0;
  while (std::getline(lines, line)) {
    ++count;
    long pos = 0, partner = 0, len = 0;
    int orientation = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%ld/%ld/%ld/%d", &pos, &partner, &len, &orientation), 4) << line;
    EXPECT_GE(pos, 0);
    EXPECT_LT(partner, 45000000);
    EXPECT_GE(len, 1);
    if (!positions.insert(std::to_string(pos)).second) ++shared;
  }
  EXPECT_EQ(count, 3000);
  EXPECT_GT(shared, 30);  // some positions carry several pairs, so rows stack
}

TEST(GenerateTool, RefusesBadArguments) {
  std::string folder = scratchFolder("generate_bad");
  EXPECT_EQ(runBuilt("quelvar-generate --tokens", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-generate --axis 5", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-generate --colour 1", folder).exitCode, 2);
}

}  // namespace
