// A side-on camera that shows a box of bars whole: the range along x fills the width of a
// chosen part of the picture and the bars' full height fits. Pure arithmetic on the
// viewer's projection (frustum of resizeView, camera of applyCameraTransform), no GL.
#pragma once

#include "camera.h"

struct FitBox {
  double xMin, xMax;  // world x before any zoom step
  double yMin, yMax;  // rows of bars
  double zMax;        // tallest bar
};

// Where the box may go, in normalised device coordinates (-1 .. 1, y up).
struct FitFrame {
  double left, right, bottom, top;
};

struct CameraFit {
  int zoomSteps;  // each one scales x by 0.9, as the zoom key does
  float camX, camY, pitch, yaw;
};

// aspect: width / height of the picture. With zoomSteps < 0 the fit chooses them: the most
// steps at which the range still fills the width, so bars stand as tall as they can.
// Otherwise x is scaled by those steps and only the camera is placed.
CameraFit fitCamera(const FitBox& box, const FitFrame& frame, double aspect, int zoomSteps);

// The overview: the box whole and centred from above and in front (yaw 0), looking down at
// kOverviewPitch, from as near as it fits within kOverviewFill of the picture's edges. The
// box in world x as the records stand; the camera's altitude is whatever that takes, and
// its origin the box's middle.
constexpr float kOverviewPitch = 60.0f;
constexpr double kOverviewFill = 0.9;
Camera overviewCamera(const FitBox& box, double aspect);
