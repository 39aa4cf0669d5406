// The bar pyramid and a frame's choice from it, on bars given as plain arrays and a flat
// projection of 100 pixels across x 0 to 1, heights up the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bar_pyramid.h"
#include "pyramid_selection.h"

namespace {

struct Bars {
  std::vector<int64_t> position{0};  // by slot; slot 0 unused
  std::vector<float> length{0};
  std::vector<bool> inverted{false};

  void add(int64_t at, float len, bool inv) {
    position.push_back(at);
    length.push_back(len);
    inverted.push_back(inv);
  }
  PyramidSource source() const {
    PyramidSource s;
    s.end = static_cast<int32_t>(position.size());
    s.position = [this](int32_t slot) { return position[static_cast<size_t>(slot)]; };
    s.length = [this](int32_t slot) { return length[static_cast<size_t>(slot)]; };
    s.inverted = [this](int32_t slot) { return inverted[static_cast<size_t>(slot)]; };
    s.y = [](int32_t) { return 0.0f; };
    return s;
  }
};

constexpr int kColumns = 100;

// x = position / span: the whole span across the picture.
PyramidFrame flatFrame(const Bars& bars, double span, float threshold) {
  PyramidFrame frame;
  frame.matrix[0] = 2.0, frame.matrix[12] = -1.0;  // clip x from world x
  frame.matrix[9] = 0.2, frame.matrix[13] = -0.9;  // clip y from height
  frame.matrix[15] = 1.0;
  frame.width = kColumns, frame.height = 50;
  frame.threshold = threshold;
  frame.x = [&bars, span](int32_t slot) { return static_cast<double>(bars.position[static_cast<size_t>(slot)]) / span; };
  frame.y = [](int32_t) { return 0.0f; };
  frame.barHeight = [](float len) { return len; };
  return frame;
}

double columnOf(const Bars& bars, int32_t slot, double span) {
  return static_cast<double>(bars.position[static_cast<size_t>(slot)]) / span * kColumns;
}

Bars crowdedBars(int count) {
  Bars bars;
  uint32_t state = 7;
  for (int i = 0; i < count; ++i) {
    state = state * 1664525u + 1013904223u;
    bars.add(state % 1000000, static_cast<float>(state >> 20) / 4096.0f * 7.0f, (state >> 9) & 1);
  }
  return bars;
}

}  // namespace

TEST(BarPyramid, CrowdedBarsStandAsTheTallestOfEachPixelAndCountEveryBar) {
  Bars bars = crowdedBars(20000);
  BarPyramid pyramid;
  buildBarPyramid(pyramid, bars.source(), {});
  for (float threshold : {0.03f, 3.5f}) {
    PyramidCounts counts;
    countPyramidBars(pyramid, threshold, counts);
    std::vector<ColumnBar> chosen;
    selectPyramidBars(pyramid, counts, flatFrame(bars, 1000000.0, threshold), chosen);
    EXPECT_LE(chosen.size(), static_cast<size_t>(2 * kColumns));
    uint64_t counted = 0, inverted = 0, above = 0, aboveInverted = 0;
    for (const ColumnBar& bar : chosen) {
      counted += bar.count;
      inverted += bar.inverted;
      EXPECT_GT(bars.length[static_cast<size_t>(bar.slot)], threshold);
    }
    // Every bar above the threshold has one at least as tall drawn within a pixel of it.
    for (int32_t slot = 1; slot < static_cast<int32_t>(bars.position.size()); ++slot) {
      if (!(bars.length[static_cast<size_t>(slot)] > threshold)) continue;
      ++above;
      aboveInverted += bars.inverted[static_cast<size_t>(slot)] ? 1 : 0;
      bool standsFor = std::any_of(chosen.begin(), chosen.end(), [&](const ColumnBar& bar) {
        return std::fabs(columnOf(bars, bar.slot, 1e6) - columnOf(bars, slot, 1e6)) <= 1.0 &&
               bars.length[static_cast<size_t>(bar.slot)] >= bars.length[static_cast<size_t>(slot)];
      });
      ASSERT_TRUE(standsFor) << "slot " << slot << " threshold " << threshold;
    }
    EXPECT_EQ(counted, above);
    EXPECT_EQ(inverted, aboveInverted);
  }
}

TEST(BarPyramid, BarsAPixelApartAreEachDrawnAlone) {
  Bars bars;
  for (int i = 0; i < 40; ++i) bars.add(1000 + i * 25000, 1.0f + static_cast<float>(i % 5), i % 3 == 0);
  bars.add(1000, 0.01f, false);  // under the threshold: not drawn, not counted
  BarPyramid pyramid;
  buildBarPyramid(pyramid, bars.source(), {});
  PyramidCounts counts;
  countPyramidBars(pyramid, 0.03f, counts);
  std::vector<ColumnBar> chosen;
  selectPyramidBars(pyramid, counts, flatFrame(bars, 1000000.0, 0.03f), chosen);
  ASSERT_EQ(chosen.size(), 40u);
  for (size_t i = 0; i < chosen.size(); ++i) {
    EXPECT_EQ(chosen[i].slot, static_cast<int32_t>(i) + 1);  // by position
    EXPECT_EQ(chosen[i].count, 1u);
  }
}

TEST(BarPyramid, StepsThroughTheBarsAboveTheThresholdLongestFirst) {
  Bars bars = crowdedBars(3000);
  bars.add(5, bars.length[1], false);  // a tie: the smaller slot goes first
  BarPyramid pyramid;
  buildBarPyramid(pyramid, bars.source(), [](int32_t slot) { return slot % 7 != 0; });
  std::vector<int32_t> expected;
  for (int32_t slot = 1; slot < static_cast<int32_t>(bars.position.size()); ++slot)
    if (slot % 7 != 0 && bars.length[static_cast<size_t>(slot)] > 2.0f) expected.push_back(slot);
  std::stable_sort(expected.begin(), expected.end(), [&](int32_t a, int32_t b) {
    return bars.length[static_cast<size_t>(a)] > bars.length[static_cast<size_t>(b)];
  });
  std::vector<int32_t> stepped;
  float length = HUGE_VALF;
  int32_t slot = 0;
  while ((slot = pyramidBarAfter(pyramid, 2.0f, length, slot)) != 0) {
    stepped.push_back(slot);
    length = bars.length[static_cast<size_t>(slot)];
  }
  EXPECT_EQ(stepped, expected);
}
