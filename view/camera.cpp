#include "camera.h"

#include <cmath>

Camera camera;

namespace {
constexpr double kPi = 3.14159265358979323846;
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

Camera cameraLookingAt(double x, Camera eye) {
  // The gaze meets the ground camZ * tan(pitch) ahead, along the heading (for a side-on
  // camera, straight across).
  double heading = -eye.yaw / 180.0 * kPi;
  double ahead = eye.camZ * std::tan(eye.pitch / 180.0 * kPi);
  double lookedAtX = eye.camX + std::sin(heading) * ahead;
  eye.camX = static_cast<float>(eye.camX + (x - lookedAtX));
  return eye;
}
