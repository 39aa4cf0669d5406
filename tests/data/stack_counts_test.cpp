#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "colliding_positions.h"
#include "stack_counts.h"

namespace {

// Loaded to the table's full capacity of distinct positions, so long probe runs form, and
// every third counter deleted: the rest must stay reachable through the shifted runs.
TEST(StackCounts, CountsSurviveCollisionsAndDeletion) {
  std::vector<int32_t> positions = {0, 1, -1, INT32_MAX, INT32_MIN, 299999999, 300000000};
  for (int32_t i = 0; i < 499991; ++i) positions.push_back(i * 613 + 7);
  for (int32_t p : positions) EXPECT_EQ(bumpStackCount(p), 1);
  for (int32_t p : positions) EXPECT_EQ(bumpStackCount(p), 2);
  for (size_t i = 0; i < positions.size(); i += 3) clearStackCount(positions[i]);
  for (size_t i = 0; i < positions.size(); ++i)
    ASSERT_EQ(stackCount(positions[i]), i % 3 == 0 ? 0 : 2) << positions[i];
  for (int32_t p : positions) clearStackCount(p);
  for (int32_t p : positions) ASSERT_EQ(stackCount(p), 0) << p;
}

// A table with a fixed hash takes quadratic time on positions crafted against it; keyed at
// start-up, probe runs stay as short as for random positions.
TEST(StackCounts, CraftedPositionsKeepProbeRunsShort) {
  std::vector<int32_t> positions = collidingPositions(500000);
  for (int32_t p : positions) ASSERT_EQ(bumpStackCount(p), 1);
  EXPECT_LT(longestStackCountProbe(), 200);
  for (int32_t p : positions) clearStackCount(p);
}

}  // namespace
