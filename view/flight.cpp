#include "flight.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Past this pitch the gaze meets the ground too far off to keep it in the centre.
constexpr double kSteepestToFollow = 80.0;

bool flying = false;

}  // namespace

void letCameraFly(bool on) { flying = on; }
bool cameraFlies() { return flying; }

Camera cameraAtAltitudeOver(const Camera& eye, double factor, double x, double y) {
  Camera moved = eye;
  double to = std::clamp(eye.camZ * factor, static_cast<double>(kLowestAltitude), static_cast<double>(kHighestAltitude));
  moved.camZ = static_cast<float>(to);
  if (!(eye.camZ > 0)) return moved;
  // Along the line from the ground point through the eye, the offset scales with the height.
  double kept = moved.camZ / static_cast<double>(eye.camZ);
  placeCameraX(moved, x + (cameraWorldX(eye) - x) * kept);
  moved.camY = static_cast<float>(y + (eye.camY - y) * kept);
  return moved;
}

Camera cameraAtAltitude(const Camera& eye, double factor) {
  double x = cameraWorldX(eye), y = eye.camY;
  if (eye.pitch < kSteepestToFollow) {
    // The gaze meets the ground camZ tan(pitch) ahead.
    double ahead = eye.camZ * std::tan(eye.pitch / 180.0 * kPi), heading = -eye.yaw / 180.0 * kPi;
    x += std::sin(heading) * ahead;
    y += std::cos(heading) * ahead;
  }
  return cameraAtAltitudeOver(eye, factor, x, y);
}

float flightSpeed(const Camera& eye) {
  if (!flying) return 0.1f;
  return 0.1f * altitudeScale(eye);
}

void rebaseCamera(Camera& eye) {
  if (!flying || std::fabs(eye.camX) <= kOriginReach) return;
  double whole = std::round(static_cast<double>(eye.camX));
  eye.originX += whole;
  eye.camX = static_cast<float>(eye.camX - whole);  // exact: a float of this size less its whole part
}

double originNear(double x, double current) {
  return flying && std::fabs(x - current) > kOriginReach ? std::round(x) : current;
}

void placeCameraX(Camera& eye, double x) {
  eye.originX = originNear(x, eye.originX);
  eye.camX = static_cast<float>(x - eye.originX);
}
