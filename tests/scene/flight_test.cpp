// Flight's arithmetic: altitude, speed, origin and the overview, without any GL.
#include <gtest/gtest.h>

#include <cmath>

#include "camera.h"
#include "camera_fit.h"
#include "flight.h"

namespace {

class FlightTest : public ::testing::Test {
 protected:
  void SetUp() override { letCameraFly(true); }
  void TearDown() override { letCameraFly(false); }
};

// Where the picture's centre meets the ground, in world x and y.
void gazeOnGround(const Camera& eye, double& x, double& y) {
  double ahead = eye.camZ * std::tan(eye.pitch / 180.0 * M_PI), heading = -eye.yaw / 180.0 * M_PI;
  x = cameraWorldX(eye) + std::sin(heading) * ahead;
  y = eye.camY + std::cos(heading) * ahead;
}

TEST_F(FlightTest, AltitudeKeepsWhatThePictureCentreShowsWithinItsBounds) {
  Camera eye;
  eye.yaw = 300;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  gazeOnGround(eye, x0, y0);
  Camera up = cameraAtAltitude(eye, 8.0);
  EXPECT_FLOAT_EQ(up.camZ, 16.0f);
  gazeOnGround(up, x1, y1);
  EXPECT_NEAR(x1, x0, 1e-4);
  EXPECT_NEAR(y1, y0, 1e-4);
  // Looking level, straight up.
  Camera level = eye;
  level.pitch = 90;
  Camera raised = cameraAtAltitude(level, 0.5);
  EXPECT_FLOAT_EQ(raised.camZ, 1.0f);
  EXPECT_EQ(raised.camX, level.camX);
  // The wheel's aim: a ground point off the centre stays where it is in the picture.
  double before[2] = {}, after[2] = {};
  ASSERT_TRUE(pointOnPicture(eye, 1.6, 3.0, 2.5, 0, before[0], before[1]));
  Camera aimed = cameraAtAltitudeOver(eye, 1.0 / 16, 3.0, 2.5);
  EXPECT_FLOAT_EQ(aimed.camZ, 0.125f);
  ASSERT_TRUE(pointOnPicture(aimed, 1.6, 3.0, 2.5, 0, after[0], after[1]));
  EXPECT_NEAR(after[0], before[0], 1e-5);
  EXPECT_NEAR(after[1], before[1], 1e-5);
  EXPECT_EQ(cameraAtAltitude(eye, 1e-9).camZ, kLowestAltitude);
  EXPECT_EQ(cameraAtAltitude(eye, 1e9).camZ, kHighestAltitude);
}

TEST_F(FlightTest, SpeedFollowsTheAltitudeOnlyInFlight) {
  Camera eye;
  EXPECT_EQ(flightSpeed(eye), 0.1f);
  eye.camZ = 20000;
  EXPECT_FLOAT_EQ(flightSpeed(eye), 1000.0f);
  eye.camZ = 0.002f;
  EXPECT_FLOAT_EQ(flightSpeed(eye), 0.0001f);
  letCameraFly(false);
  EXPECT_EQ(flightSpeed(eye), 0.1f);
}

TEST_F(FlightTest, TheOriginTakesWholeUnitsAndKeepsBasesApart) {
  Camera eye;
  eye.originX = 30000;
  eye.camX = 70.25f;
  rebaseCamera(eye);
  EXPECT_EQ(eye.originX, 30070.0);
  EXPECT_EQ(eye.camX, 0.25f);
  // A camera facing a bar at base 3,099,999,999 stands over it to the base, where a float
  // alone would miss it by some 200 bases.
  double bar = 3099999999.0 / 100000.0;
  Camera facing = cameraLookingAt(bar, 0, 7, frontCamera());
  EXPECT_NEAR((cameraWorldX(facing) - bar) * 100000.0, 0.0, 0.05);
  // Without flight the origin stays 0, as for the viewer started without arguments.
  letCameraFly(false);
  Camera still;
  still.camX = 500;
  rebaseCamera(still);
  EXPECT_EQ(still.originX, 0.0);
  EXPECT_EQ(cameraLookingAt(bar, 0, 7, frontCamera()).originX, 0.0);
}

TEST_F(FlightTest, TheOverviewShowsAGenomeWhole) {
  FitBox genome{0.0, 31000.0, 0.0, 2.3, 7.0};
  Camera eye = overviewCamera(genome, 1.6);
  double left = 0, right = 0, y = 0;
  ASSERT_TRUE(pointOnPicture(eye, 1.6, genome.xMin, genome.yMin, 0, left, y));
  ASSERT_TRUE(pointOnPicture(eye, 1.6, genome.xMax, genome.yMin, 0, right, y));
  EXPECT_NEAR(left, -kOverviewFill, 0.01) << "the axis fills the picture's width";
  EXPECT_NEAR(right, kOverviewFill, 0.01);
  // Its far end lies within the frustum the altitude gives (1000 at the start height).
  double depth = std::hypot(genome.xMax - cameraWorldX(eye), genome.yMax - eye.camY, eye.camZ);
  EXPECT_LT(depth, 1000.0 * altitudeScale(eye));
  EXPECT_GT(depth, 1000.0);
}

}  // namespace
