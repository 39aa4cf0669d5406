// How the arrow flags move the window: slides, one-shot jumps, and the int32 limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "view_advance.h"

namespace {

TEST(ShiftWindowTest, SlidesEveryFrameAndJumpsOnce) {
  ViewState view;
  view.input.arrows.moveLeft = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, -1000);
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, -2000);
  EXPECT_TRUE(view.input.arrows.moveLeft) << "the slide is continuous";

  view = ViewState{};
  view.input.arrows.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, 100000);
  EXPECT_FALSE(view.input.arrows.jumpForward);
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, 100000);

  // Order: right, left, back, forward; all four at once cancel out.
  view = ViewState{};
  view.input.arrows.moveRight = view.input.arrows.moveLeft = view.input.arrows.jumpBack =
      view.input.arrows.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, 0);
  EXPECT_FALSE(view.input.arrows.jumpBack);
  EXPECT_FALSE(view.input.arrows.jumpForward);
}

TEST(ShiftWindowTest, StopsAtTheInt32Limits) {
  const int32_t top = std::numeric_limits<int32_t>::max();
  const int32_t bottom = std::numeric_limits<int32_t>::min();
  ViewState view;
  view.filter.windowStart = top - 500;
  view.input.arrows.moveRight = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, top);
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, top);
  view.input.arrows.moveRight = false;
  view.input.arrows.jumpForward = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, top);
  view.input.arrows.jumpBack = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, top - 100000) << "backing off the limit is exact";

  view.filter.windowStart = bottom + 99999;
  view.input.arrows.jumpBack = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, bottom);
  view.input.arrows.moveLeft = true;
  shiftWindow(view);
  EXPECT_EQ(view.filter.windowStart, bottom);
}

}  // namespace
