// The axis scale both ways: a position to x and back after zoom steps, a length to a height
// and back on both scales, at the edges a list reaches (nothing, one base, the longest, past
// it, and past 16,777,216 where a float's x no longer names every base).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "axis_scale.h"

namespace {

TEST(AxisScale, PositionToXAndBack) {
  for (int32_t steps : {0, 1, 60}) {
    for (double position : {0.0, 1.0, 5000.0, 16777216.0, 16777217.0, 2147483647.0}) {
      double x = xOfPosition(position, steps);
      EXPECT_NEAR(positionOfX(x, steps), position, 1e-6 * std::max(1.0, position)) << position << " at " << steps;
      // A record's x is a float: past 2^24 positions it names its base only to within a few.
      EXPECT_NEAR(positionOfX(static_cast<float>(x), steps), position, 1 + position * 0x1p-23) << position;
      EXPECT_NEAR(positionOfX(recordXOf(static_cast<int64_t>(position), steps), steps), position,
                  1 + position * 0x1p-20) << "as the records stand: " << position;
    }
  }
  // One unit is 100,000 positions unzoomed; each step compresses by kZoomFactor.
  EXPECT_EQ(xOfPosition(100000, 0), 1.0);
  EXPECT_DOUBLE_EQ(xOfPosition(100000, 2), kZoomFactor * kZoomFactor);
}

TEST(AxisScale, LengthToHeightAndBackOnBothScales) {
  for (bool logScale : {false, true}) {
    for (double full : {2.0, 5010.0, 16777217.0}) {
      for (double bases : {2.0, 11.0, full, 3 * full}) {
        double height = heightOfLength(bases, full, logScale);
        EXPECT_NEAR(lengthOfHeight(height, full, logScale), bases, 1e-9 * bases) << bases << " of " << full;
      }
      EXPECT_DOUBLE_EQ(heightOfLength(full, full, logScale), kFullHeight);
      EXPECT_GT(heightOfLength(3 * full, full, logScale), kFullHeight) << "only a figure clips";
      // The loader's scaled length draws at the same height as the length in bases.
      float scaled = static_cast<float>(scaledLength(full / 2, full));
      EXPECT_NEAR(heightOfScaled(scaled, full, logScale), heightOfLength(full / 2, full, logScale), 1e-5);
      EXPECT_NEAR(basesOfScaled(scaled, full), full / 2, 1e-6 * full);
    }
    EXPECT_EQ(heightOfLength(0, 5010, logScale), 0.0);
    EXPECT_EQ(heightOfLength(100, 0, logScale), 0.0) << "nothing loaded";
  }
  // The log scale shows nothing of 1 base or less, and reads height 0 back as 1 base.
  EXPECT_EQ(heightOfLength(1, 5010, true), 0.0);
  EXPECT_EQ(lengthOfHeight(0, 5010, true), 1.0);
  // A scale of 1 base leaves the log no room: it is linear, both ways and for the bars.
  EXPECT_EQ(heightOfLength(1, 1, true), kFullHeight);
  EXPECT_EQ(lengthOfHeight(kFullHeight, 1, true), 1.0);
  EXPECT_EQ(heightOfScaled(3.5f, 1, true), 3.5f);
}

}  // namespace
