// The passes drawn into a real OpenGL context and read back: where and how bars, points
// and floor land in the picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "camera.h"
#include "floor.h"
#include "gl.h"
#include "offscreen_context.h"
#include "projection.h"
#include "record_table.h"
#include "render_support.h"
#include "tool_run.h"
#include "scene_frame.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view = startBarScene(kWidth, kHeight);
  }
  // Level with the bars' middle, looking along +y.
  void lookAlongY(float x, float distance) {
    camera.camX = x;
    camera.camY = -distance;
    camera.pitch = 90;
    camera.yaw = 0;
  }
  int columnOf(double x, double y, double z) {
    return static_cast<int>(std::floor(projectToScreen(x, y, z, kWidth, kHeight).column));
  }
  int rowOf(double x, double y, double z) {
    return static_cast<int>(std::floor(projectToScreen(x, y, z, kWidth, kHeight).row));
  }
  int countColour(const Picture& picture, int r, int g, int b) {
    int n = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) n += isColour(picture.at(x, y), r, g, b) ? 1 : 0;
    return n;
  }
  ViewState view;
};

TEST_F(RenderTest, ContextIsLlvmpipeAndClearsToSkyBlue) {
  EXPECT_NE(std::strstr(offscreenRenderer(), "llvmpipe"), nullptr) << offscreenRenderer();
  Picture picture = renderScene(view, false);
  EXPECT_EQ(countColour(picture, kSkyRed, kSkyGreen, kSkyBlue), kWidth * kHeight);
}

TEST_F(RenderTest, LineStandsWhereCameraAndProjectionPutIt) {
  addRecord(35000, 90000, 4.0f, 0.8f, 0.1f, 0.1f);  // x 0.35
  lookAlongY(0, 5);
  // By hand: 0.35 at depth 5 through a 0.2 near plane over a half-width of 1.6 * 0.1.
  EXPECT_NEAR(projectToScreen(0.35, 0, 2, kWidth, kHeight).column, (1 + 0.2 * 0.35 / 5 / 0.16) / 2 * kWidth, 1e-3);

  Picture picture = renderScene(view, false);
  int column = columnOf(0.35, 0, 2);
  int row = rowOf(0.35, 0, 2);
  bool hit = isColour(picture.at(column, row), 0, 0, 204) || isColour(picture.at(column + 1, row), 0, 0, 204);
  EXPECT_TRUE(hit) << "blue with the record's r as intensity at column " << column;
  EXPECT_TRUE(isSky(picture.at(column - 3, row)));
  EXPECT_TRUE(isSky(picture.at(column + 3, row)));
  EXPECT_TRUE(isSky(picture.at(column, rowOf(0.35, 0, 4.3)))) << "above the bar's top";
  EXPECT_FALSE(isSky(picture.at(column, rowOf(0.35, 0, 3.7))) && isSky(picture.at(column + 1, rowOf(0.35, 0, 3.7))));
}

TEST_F(RenderTest, PointStyleIsATwoPixelSquareAtTheTopInTheRecordColour) {
  addRecord(35000, 90000, 2.5f, 1.0f, 0.5f, 0.25f);
  lookAlongY(0, 5);
  view.look.pointStyle = true;
  Picture points = renderScene(view, false);
  EXPECT_EQ(countColour(points, 255, 128, 64), 4);
  int column = columnOf(0.35, 0, 2.5), row = rowOf(0.35, 0, 2.5);
  int near = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) near += isColour(points.at(column + dx, row + dy), 255, 128, 64) ? 1 : 0;
  EXPECT_EQ(near, 4) << "the square sits at the bar's top";
  GLfloat size = 0;
  glGetFloatv(GL_POINT_SIZE, &size);
  EXPECT_EQ(size, 2.0f) << "the point size stays after the pass";

  view.look.pointStyle = false;
  Picture lines = renderScene(view, false);
  EXPECT_EQ(countColour(lines, 255, 128, 64), 0);
  EXPECT_GT(countColour(lines, 0, 0, 255), 20);
}

TEST_F(RenderTest, ThresholdComparisonIsStrict) {
  view.filter.threshold = 3.0f;
  addRecord(20000, 90000, 3.0f, 1, 0, 0);                           // equal: hidden
  addRecord(50000, 90000, std::nextafter(3.0f, 4.0f), 1, 0, 0);     // just above: drawn
  lookAlongY(0.35f, 5);
  Picture picture = renderScene(view, false);
  int row = rowOf(0.2, 0, 2);
  for (int dx = -2; dx <= 2; ++dx) EXPECT_TRUE(isSky(picture.at(columnOf(0.2, 0, 2) + dx, row)));
  int drawn = 0;
  for (int dx = -1; dx <= 1; ++dx) drawn += isColour(picture.at(columnOf(0.5, 0, 2) + dx, row), 0, 0, 255) ? 1 : 0;
  EXPECT_GE(drawn, 1);

  // The start threshold 0.03 against lengths 0.03 and 0.031, seen from just above the ground.
  clearRecords();
  view.filter.threshold = ViewFilter{}.threshold;
  addRecord(20000, 90000, 0.03f, 1, 0, 0);
  addRecord(50000, 90000, 0.031f, 1, 0, 0);
  lookAlongY(0.35f, 1);
  camera.camZ = 0.015f;
  picture = renderScene(view, false);
  row = kHeight / 2;
  int low = 0, high = 0;
  for (int dx = -1; dx <= 1; ++dx) {
    low += isSky(picture.at(columnOf(0.2, 0, 0.015) + dx, row)) ? 0 : 1;
    high += isColour(picture.at(columnOf(0.5, 0, 0.015) + dx, row), 0, 0, 255) ? 1 : 0;
  }
  EXPECT_EQ(low, 0);
  EXPECT_GE(high, 1);
}

TEST_F(RenderTest, FarPartSlidesEveryFrameWhileItsFlagIsSet) {
  addRecord(2000001, 90000, 3.0f, 1, 0, 0);
  addRecord(2000000, 90000, 3.0f, 1, 0, 0);
  float startX = recordTable.slots[1].x;
  view.input.arrows.moveRight = true;
  view.input.arrows.jumpForward = true;
  lookAlongY(20.25f, 5);
  for (int frame = 0; frame < 5; ++frame) advanceView(view);
  float expectedX = startX, expectedY = 0;
  for (int frame = 0; frame < 5; ++frame) {
    expectedX = static_cast<float>(expectedX + 0.1);
    expectedY = static_cast<float>(expectedY + 0.1);
  }
  EXPECT_EQ(recordTable.slots[1].x, expectedX);
  EXPECT_EQ(recordTable.slots[1].y, expectedY);
  EXPECT_EQ(recordTable.slots[2].x, 20.0f) << "2,000,000 itself stays";
  EXPECT_EQ(recordTable.slots[2].y, 0.0f);
  EXPECT_TRUE(view.input.arrows.jumpForward) << "this step leaves the flag set";

  view.input.arrows.moveRight = view.input.arrows.jumpForward = false;
  Picture picture = renderScene(view, false);
  int row = rowOf(20.5, 0.5, 2);
  int moved = 0, old = 0;
  for (int dx = -1; dx <= 1; ++dx) {
    moved += isSky(picture.at(columnOf(expectedX, expectedY, 2) + dx, row)) ? 0 : 1;
    old += isSky(picture.at(columnOf(startX, 0, 2) + dx, row)) ? 0 : 1;
  }
  EXPECT_GE(moved, 1);
  EXPECT_GE(old, 1) << "the bar at 2,000,000 still stands where it was";
  EXPECT_TRUE(isSky(picture.at(columnOf(20.25, 0, 2), row)));
}

TEST_F(RenderTest, FloorShowsItsTintsAndNothingWhenSwitchedOff) {
  initFloorColours();
  for (const auto& tile : floorTiles.colour) {
    EXPECT_GE(tile[1], 0.5f);
    EXPECT_LE(tile[1], 1.2f + 1e-6f);
    EXPECT_NEAR(tile[0] - 0.31f, tile[1] - 0.5f, 1e-6);
    EXPECT_NEAR(tile[2] - 0.83f, tile[1] - 0.5f, 1e-6);
  }
  // Straight down from above tile (2, 2).
  camera.camX = 2;
  camera.camY = 2;
  camera.pitch = 0;
  camera.yaw = 0;
  view.look.showFloor = true;
  Picture shown = renderScene(view, false);
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j) {
      const float* colour = floorTiles.colour[i * kFloorTilesY + j];
      auto channel = [](float c) { return static_cast<int>(std::lround(std::fmin(c, 1.0f) * 255)); };
      ScreenPoint centre = projectToScreen(i + 0.5, j + 0.5, 0, kWidth, kHeight);
      const uint8_t* pixel = shown.at(static_cast<int>(centre.column), static_cast<int>(centre.row));
      EXPECT_TRUE(isColour(pixel, channel(colour[0]), channel(colour[1]), channel(colour[2])))
          << "tile " << i << "," << j << " shows " << int(pixel[0]) << "," << int(pixel[1]) << "," << int(pixel[2]);
    }
  FloorTiles before = floorTiles;
  view.look.showFloor = false;
  EXPECT_EQ(countColour(renderScene(view, false), kSkyRed, kSkyGreen, kSkyBlue), kWidth * kHeight);
  EXPECT_EQ(std::memcmp(&before, &floorTiles, sizeof before), 0);
  view.look.showFloor = true;
  EXPECT_EQ(differingPixels(renderScene(view, false), shown), 0);
}

TEST_F(RenderTest, ProjectionFollowsTheSizeAndIgnoresAZeroHeight) {
  resizeView(800, 400);
  double matrix[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_NEAR(matrix[0], 0.2 / 0.2, 1e-6) << "left -0.2, right 0.2, near 0.2";
  EXPECT_NEAR(matrix[5], 0.2 / 0.1, 1e-6);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 400);

  resizeView(kWidth, kHeight);
  addRecord(35000, 90000, 4.0f, 0.8f, 0.1f, 0.1f);
  lookAlongY(0, 5);
  Picture before = renderScene(view, false);
  resizeView(kWidth, 0);
  resizeView(0, 0);
  EXPECT_EQ(differingPixels(renderScene(view, false), before), 0);
}

}  // namespace
