// How the arrow flags move the window: slides, one-shot jumps, and the int32 limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "view_advance.h"

namespace {

TEST(ShiftWindowTest, SlidesEveryFrameAndJumpsOnce) {
  ViewState view;
  view.moveLeft = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, -1000);
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, -2000);
  EXPECT_TRUE(view.moveLeft) << "the slide is continuous";

  view = ViewState{};
  view.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, 100000);
  EXPECT_FALSE(view.jumpForward);
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, 100000);

  // Order: right, left, back, forward; all four at once cancel out.
  view = ViewState{};
  view.moveRight = view.moveLeft = view.jumpBack = view.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, 0);
  EXPECT_FALSE(view.jumpBack);
  EXPECT_FALSE(view.jumpForward);
}

TEST(ShiftWindowTest, StopsAtTheInt32Limits) {
  const int32_t top = std::numeric_limits<int32_t>::max();
  const int32_t bottom = std::numeric_limits<int32_t>::min();
  ViewState view;
  view.windowStart = top - 500;
  view.moveRight = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, top);
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, top);
  view.moveRight = false;
  view.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, top);
  view.jumpBack = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, top - 100000) << "backing off the limit is exact";

  view.windowStart = bottom + 99999;
  view.jumpBack = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, bottom);
  view.moveLeft = true;
  shiftWindow(view);
  EXPECT_EQ(view.windowStart, bottom);
}

}  // namespace
