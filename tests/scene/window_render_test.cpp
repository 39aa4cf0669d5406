// Window mode in a real context: which pairs show, and where the red scale bar lies.
#include <gtest/gtest.h>

#include <cmath>

#include "camera.h"
#include "record_table.h"
#include "render_support.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

class WindowRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view = startBarScene(kWidth, kHeight);
    view.filter.windowMode = true;
    view.filter.windowStart = 100000;
  }
  bool barAt(const Picture& picture, double x) {
    ScreenPoint p = projectToScreen(x, 0, 2, kWidth, kHeight);
    for (int dx = -1; dx <= 1; ++dx)
      if (isColour(picture.at(static_cast<int>(p.column) + dx, static_cast<int>(p.row)), 0, 0, 255)) return true;
    return false;
  }
  int bluePixels(const Picture& picture) {
    int n = 0;
    for (size_t i = 0; i < picture.rgb.size(); i += 3)
      n += picture.rgb[i] < 40 && picture.rgb[i + 1] < 40 && picture.rgb[i + 2] > 100 ? 1 : 0;
    return n;
  }
  ViewState view;
};

TEST_F(WindowRenderTest, PairsTouchingEitherEndShowBothBars) {
  struct Case {
    int32_t a, b;
    bool shown;
  };
  const Case cases[] = {
      {100000, 300000, true},   // one end at windowStart
      {50000, 200000, true},    // one end at windowStart + 100,000
      {150000, 160000, true},   // both inside
      {200001, 350000, false},  // both past the far end
      {20000, 99999, false},    // both below the start
  };
  camera.camX = 1.75f;
  camera.camY = -8;
  camera.pitch = 90;
  camera.yaw = 0;
  for (const Case& c : cases) {
    clearRecords();
    addRecord(c.a, c.b, 4.0f, 1, 0, 0);
    addRecord(c.b, c.a, 4.0f, 1, 0, 0);
    ViewState frame = view;
    Picture picture = renderScene(frame, false);
    if (c.shown) {
      EXPECT_TRUE(barAt(picture, c.a * 0.00001)) << c.a << "/" << c.b;
      EXPECT_TRUE(barAt(picture, c.b * 0.00001)) << c.a << "/" << c.b;
    } else {
      EXPECT_EQ(bluePixels(picture), 0) << c.a << "/" << c.b;
    }
  }
}

TEST_F(WindowRenderTest, PointStyleAndTheSlideDoNotApply) {
  addRecord(2500000, 150000, 4.0f, 1, 0, 0);
  addRecord(150000, 2500000, 4.0f, 1, 0, 0);
  float x = recordTable.slots[1].x;
  view.look.pointStyle = true;
  view.input.arrows.moveRight = true;
  camera.camX = 1.5f;
  camera.camY = -8;
  camera.pitch = 90;
  camera.yaw = 0;
  Picture picture = renderScene(view, false);
  EXPECT_EQ(recordTable.slots[1].x, x);
  EXPECT_EQ(view.filter.windowStart, 101000);
  EXPECT_TRUE(barAt(picture, 1.5)) << "drawn as a line";
}

TEST_F(WindowRenderTest, ScaleBarSpansTheWindowAfterZoomSteps) {
  view.zoomSteps = 3;
  const double s = std::pow(0.9, 3);
  EXPECT_NEAR(s, 0.729, 1e-12);
  // Straight down over the bar's middle.
  camera.camX = 1.1f;
  camera.camY = 0.013f;  // keeps the line off a pixel boundary
  camera.pitch = 0;
  camera.yaw = 0;
  Picture picture = renderScene(view, false);
  ScreenPoint from = projectToScreen(100000 * 0.00001 * s, -0.1, 0, kWidth, kHeight);
  ScreenPoint to = projectToScreen(100000 * 0.00001 * s + s, -0.1, 0, kWidth, kHeight);
  int row = static_cast<int>(from.row);
  int first = -1, last = -1, redRows = 0;
  for (int y = row - 2; y <= row + 2; ++y) {
    bool any = false;
    for (int x = 0; x < kWidth; ++x)
      if (isColour(picture.at(x, y), 255, 0, 0)) {
        if (first < 0 || x < first) first = x;
        if (x > last) last = x;
        any = true;
      }
    redRows += any ? 1 : 0;
  }
  EXPECT_EQ(redRows, 1) << "one pixel thick, at y = -0.1";
  // Pixel centres; a line leaves out the pixel its end lies in.
  EXPECT_NEAR(first + 0.5, from.column, 1.5);
  EXPECT_NEAR(last + 0.5, to.column, 1.5);
}

}  // namespace
