// Camera rules and the view-volume test, without any GL.
#include <gtest/gtest.h>

#include <cmath>

#include "camera.h"
#include "view_volume.h"

namespace {

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override { camera = Camera{}; }
};

TEST_F(CameraTest, YawIsCorrectedByOneTurnEachWay) {
  camera.yaw = 355;
  rotateCamera(0, 10);
  EXPECT_FLOAT_EQ(camera.yaw, 5);
  rotateCamera(0, -10);
  EXPECT_FLOAT_EQ(camera.yaw, 355);
  camera.yaw = 350;
  rotateCamera(0, 10);
  EXPECT_EQ(camera.yaw, 360.0f) << "exactly 360 stays";
  camera.yaw = 10;
  rotateCamera(0, -400);
  EXPECT_FLOAT_EQ(camera.yaw, -30) << "only one correction";
  camera.yaw = 10;
  rotateCamera(0, 720);
  EXPECT_FLOAT_EQ(camera.yaw, 370);
}

TEST_F(CameraTest, FirstTurnBringsStartYawIntoRange) {
  rotateCamera(0, 0);
  EXPECT_FLOAT_EQ(camera.yaw, 300);
  EXPECT_FLOAT_EQ(camera.pitch, 70);
}

TEST_F(CameraTest, PitchIsClampedToStraightDownAndUp) {
  camera.pitch = 175;
  rotateCamera(10, 0);
  EXPECT_EQ(camera.pitch, 180.0f);
  camera.pitch = 5;
  rotateCamera(-10, 0);
  EXPECT_EQ(camera.pitch, 0.0f);
  rotateCamera(0.25f, 0);
  EXPECT_EQ(camera.pitch, 0.25f);
}

TEST_F(CameraTest, HeadingAndMovement) {
  camera.yaw = 0;
  EXPECT_EQ(cameraHeading(), 0.0f);
  moveCamera(cameraHeading(), 0.1f);
  EXPECT_FLOAT_EQ(camera.camX, -1);
  EXPECT_FLOAT_EQ(camera.camY, static_cast<float>(-1 + 0.1f * 1.0));

  camera = Camera{};
  camera.yaw = 90;
  moveCamera(cameraHeading(), 0.1f);
  EXPECT_NEAR(camera.camX, -1.1f, 1e-6) << "yaw 90 moves towards -x";
  EXPECT_NEAR(camera.camY, -1.0f, 1e-6);
  EXPECT_EQ(camera.camZ, 2.0f);

  // The start yaw looks 60 degrees round from +y towards +x.
  camera = Camera{};
  float h = cameraHeading();
  EXPECT_FLOAT_EQ(h, static_cast<float>(60.0f / 180.0f * 3.14159265358979323846));
  moveCamera(h, 1.0f);
  EXPECT_NEAR(camera.camX, -1 + std::sin(h), 1e-6);
  EXPECT_NEAR(camera.camY, -1 + std::cos(h), 1e-6);
}

// An orthographic box of [-1, 1] on every axis: the identity matrix.
TEST(ViewVolumeTest, BoxesOutsideOnePlaneAreCulledOthersKept) {
  const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  ViewVolume volume = viewVolumeFromMatrix(identity, 0.0);
  const float insideMin[3] = {-0.5f, -0.5f, -0.5f}, insideMax[3] = {0.5f, 0.5f, 0.5f};
  const float straddleMin[3] = {0.9f, -5, -5}, straddleMax[3] = {3, 5, 5};
  const float rightMin[3] = {1.1f, 0, 0}, rightMax[3] = {2, 0, 0};
  const float beyondMin[3] = {0, 0, 1.01f}, beyondMax[3] = {0, 0, 9};
  EXPECT_TRUE(boxMayBeVisible(volume, insideMin, insideMax));
  EXPECT_TRUE(boxMayBeVisible(volume, straddleMin, straddleMax));
  EXPECT_FALSE(boxMayBeVisible(volume, rightMin, rightMax));
  EXPECT_FALSE(boxMayBeVisible(volume, beyondMin, beyondMax));
  // The margin lets through what lies just outside.
  ViewVolume wide = viewVolumeFromMatrix(identity, 0.2);
  EXPECT_TRUE(boxMayBeVisible(wide, rightMin, rightMax));
}

}  // namespace
