#include "camera.h"

#include <cmath>

#include "flight.h"

Camera camera;

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kNearPlane = 0.2;  // resizeView's
}

void rotateCamera(float dPitch, float dYaw) {
  float yaw = camera.yaw + dYaw;
  // One correction each way only: a single turn beyond 360 is left partly uncorrected.
  if (yaw < 0.0f) yaw += 360.0f;
  if (yaw > 360.0f) yaw -= 360.0f;
  camera.yaw = yaw;

  float pitch = camera.pitch + dPitch;
  if (pitch < 0.0f)
    camera.pitch = 0.0f;
  else if (pitch > 180.0f)
    camera.pitch = 180.0f;
  else
    camera.pitch = pitch;
}

float cameraHeading() {
  float turns = -camera.yaw / 180.0f;  // divided in single precision on purpose
  return static_cast<float>(turns * kPi);
}

void moveCamera(float heading, float speed) {
  camera.camX = static_cast<float>(camera.camX + std::sin(static_cast<double>(heading)) * speed);
  camera.camY = static_cast<float>(camera.camY + std::cos(static_cast<double>(heading)) * speed);
}

bool pointOnPicture(const Camera& eye, double aspect, double x, double y, double z, double& ndcX, double& ndcY) {
  // applyCameraTransform's rotations about z by -yaw, then about x by -pitch.
  double yaw = eye.yaw / 180.0 * kPi, pitch = eye.pitch / 180.0 * kPi;
  double dx = x - cameraWorldX(eye), dy = y - eye.camY, dz = z - eye.camZ;
  double rx = dx * std::cos(yaw) + dy * std::sin(yaw);
  double ry = -dx * std::sin(yaw) + dy * std::cos(yaw);
  double ex = rx;
  double ey = ry * std::cos(pitch) + dz * std::sin(pitch);
  double depth = ry * std::sin(pitch) - dz * std::cos(pitch);  // -z in eye space
  if (depth < kNearPlane * altitudeScale(eye)) return false;
  ndcX = 2.0 * ex / (aspect * depth);  // near / right = 0.2 / (0.1 * aspect)
  ndcY = 2.0 * ey / depth;             // near / top = 0.2 / 0.1
  return true;
}

namespace {

// The column may fill this much of the picture's height, leaving room for the HUD.
constexpr double kColumnFill = 0.8;

// The camera at horizontal distance back from (x, y) along its heading, aimed at height mid.
Camera standBack(Camera eye, double x, double y, double mid, double distance) {
  double heading = -eye.yaw / 180.0 * kPi;
  eye.camX = static_cast<float>((x - eye.originX) - std::sin(heading) * distance);
  eye.camY = static_cast<float>(y - std::cos(heading) * distance);
  eye.pitch = static_cast<float>(90.0 + std::atan2(mid - eye.camZ, distance) * 180.0 / kPi);
  return eye;
}

bool columnFits(const Camera& eye, double x, double y, double height) {
  double nx = 0, foot = 0, top = 0;
  return pointOnPicture(eye, 1.0, x, y, 0.0, nx, foot) && pointOnPicture(eye, 1.0, x, y, height, nx, top) &&
         std::fabs(foot) <= kColumnFill && std::fabs(top) <= kColumnFill;
}

}  // namespace

Camera cameraLookingAt(double x, double y, double height, Camera eye) {
  eye.originX = originNear(x, eye.originX);
  double mid = height / 2;
  // Where the eye's own gaze reached the ground; a level or upward eye keeps how far ahead
  // of it the column stands, or the start camera's reach when it stands behind.
  double reach = Camera{}.camZ * std::tan(Camera{}.pitch / 180.0 * kPi);
  if (eye.pitch > 0 && eye.pitch < 89) {
    reach = eye.camZ * std::tan(eye.pitch / 180.0 * kPi);
  } else if (eye.pitch >= 89) {
    double heading = -eye.yaw / 180.0 * kPi;
    double ahead = (x - cameraWorldX(eye)) * std::sin(heading) + (y - eye.camY) * std::cos(heading);
    if (ahead > 0.5) reach = ahead;
  } else {
    reach = 0;  // straight down
  }
  if (columnFits(standBack(eye, x, y, mid, reach), x, y, height)) return standBack(eye, x, y, mid, reach);
  double near = reach, far = std::max(reach, 1.0);
  while (!columnFits(standBack(eye, x, y, mid, far), x, y, height) && far < 1e6) far *= 2;
  for (int i = 0; i < 60; ++i) {
    double between = (near + far) / 2;
    if (columnFits(standBack(eye, x, y, mid, between), x, y, height))
      far = between;
    else
      near = between;
  }
  return standBack(eye, x, y, mid, far);
}

Camera frontCamera() {
  Camera eye;
  eye.yaw = 0;
  return eye;
}
