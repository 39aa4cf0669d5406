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

TEST_F(CameraTest, TheGazeMeetsThePictureCentre) {
  // The start camera's gaze meets the ground 2 tan 70 ahead along its heading.
  double h = 60.0 / 180.0 * 3.14159265358979323846, ahead = 2 * std::tan(70.0 / 180.0 * 3.14159265358979323846);
  double nx = 1, ny = 1;
  ASSERT_TRUE(pointOnPicture(Camera{}, 1.6, -1 + std::sin(h) * ahead, -1 + std::cos(h) * ahead, 0, nx, ny));
  EXPECT_NEAR(nx, 0, 1e-6);
  EXPECT_NEAR(ny, 0, 1e-6);
  ASSERT_TRUE(pointOnPicture(Camera{}, 1.6, -1 + std::sin(h) * ahead, -1 + std::cos(h) * ahead, 1, nx, ny));
  EXPECT_GT(ny, 0) << "up the picture is up the world";
}

// Looking at a column puts its middle at the picture's centre and its foot and top inside.
TEST_F(CameraTest, LookingAtAColumnCentresItWhole) {
  Camera sideOn;  // a fit's: level and a little up, from far in front
  sideOn.camX = 50;
  sideOn.camY = -30;
  sideOn.pitch = 96;
  sideOn.yaw = 0;
  Camera turned;  // the start camera's diagonal heading
  struct Case {
    double x, y, height;
    Camera eye;
  } cases[] = {{12.3, 0.1, 7, frontCamera()}, {42.0, 0.3, 0.4, frontCamera()}, {3, 0, 7, sideOn},
               {88.8, 0.2, 7, turned},        {5, 0.1, 12.5, frontCamera()}};
  for (const Case& c : cases) {
    Camera eye = cameraLookingAt(c.x, c.y, c.height, c.eye);
    double nx = 1, ny = 1, footX = 1, foot = 1, topX = 1, top = 1;
    ASSERT_TRUE(pointOnPicture(eye, 1.6, c.x, c.y, c.height / 2, nx, ny));
    EXPECT_NEAR(nx, 0, 1e-4) << c.x;
    EXPECT_NEAR(ny, 0, 1e-4) << c.x;
    ASSERT_TRUE(pointOnPicture(eye, 1.6, c.x, c.y, 0, footX, foot));
    ASSERT_TRUE(pointOnPicture(eye, 1.6, c.x, c.y, c.height, topX, top));
    EXPECT_GT(foot, -1) << c.x;
    EXPECT_LT(top, 1) << c.x;
    EXPECT_EQ(eye.camZ, 2.0f);
    EXPECT_EQ(eye.yaw, c.eye.yaw);
  }
  // From the front the camera stands over the very position it looks at; a point on the
  // ground is seen at the start camera's own tilt.
  EXPECT_FLOAT_EQ(cameraLookingAt(12.3, 0.1, 7, frontCamera()).camX, 12.3f);
  EXPECT_NEAR(cameraLookingAt(12.3, 0, 0, frontCamera()).pitch, 70.0f, 1e-4);
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
