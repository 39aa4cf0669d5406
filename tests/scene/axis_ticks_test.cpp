#include "axis_ticks.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> labels(int64_t first, int64_t last, int wanted) {
  AxisTick ticks[64];
  size_t n = axisTicks(first, last, tickSpacing(last - first, wanted), ticks, 64);
  std::vector<std::string> out;
  for (size_t i = 0; i < n; ++i) out.emplace_back(ticks[i].label);
  return out;
}

TEST(AxisTicks, RoundSpacingsAndLabelsInTheUnitTheSpacingNeeds) {
  EXPECT_EQ(labels(0, 5000000, 5), (std::vector<std::string>{"0", "1 Mb", "2 Mb", "3 Mb", "4 Mb", "5 Mb"}));
  EXPECT_EQ(labels(0, 2000000, 4), (std::vector<std::string>{"0", "500 kb", "1.0 Mb", "1.5 Mb", "2.0 Mb"}));
  EXPECT_EQ(labels(1234, 1300, 4), (std::vector<std::string>{"1.24 kb", "1.26 kb", "1.28 kb", "1.30 kb"}));
  EXPECT_EQ(labels(-250, 250, 3), (std::vector<std::string>{"-200 bp", "0", "200 bp"}));
  EXPECT_EQ(labels(0, 3100000000, 7), (std::vector<std::string>{"0", "500 Mb", "1.0 Gb", "1.5 Gb", "2.0 Gb", "2.5 Gb", "3.0 Gb"}));
  EXPECT_EQ(tickSpacing(0, 5), 1);
  EXPECT_EQ(tickSpacing(299999999, 1), 500000000);
}

TEST(AxisTicks, BasesWithThousandsSeparators) {
  char text[32];
  formatBases(12414032, text, sizeof text);
  EXPECT_STREQ(text, "12,414,032");
  formatBases(-1000, text, sizeof text);
  EXPECT_STREQ(text, "-1,000");
  formatBases(999, text, sizeof text);
  EXPECT_STREQ(text, "999");
}

}  // namespace
