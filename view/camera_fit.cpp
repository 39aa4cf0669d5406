#include "camera_fit.h"

#include <algorithm>
#include <cmath>

#include "axis_scale.h"

namespace {

constexpr double kCamZ = 2.0;  // the camera's fixed height
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxZoomSteps = 400;
constexpr double kMaxTilt = 12.0;  // degrees above level

struct Extent {
  double xLow, xHigh, yLow, yHigh;
  bool inFront;  // every corner before the near plane
};

// NDC extent of the box's eight corners for a camera at (camX, camY, 2), yaw 0, looking up
// from level by (pitch - 90) degrees; the projection is resizeView's frustum.
Extent project(const FitBox& box, double scale, double aspect, double camX, double camY, double pitch) {
  double angle = -pitch * kPi / 180.0;
  double c = std::cos(angle), s = std::sin(angle);
  Extent e{1e300, -1e300, 1e300, -1e300, true};
  for (int k = 0; k < 8; ++k) {
    double x = ((k & 1) ? box.xMax : box.xMin) * scale - camX;
    double y = ((k & 2) ? box.yMax : box.yMin) - camY;
    double z = ((k & 4) ? box.zMax : 0.0) - kCamZ;
    double eyeY = c * y - s * z;
    double eyeZ = s * y + c * z;
    double w = -eyeZ;
    if (w < 0.25) {
      e.inFront = false;
      return e;
    }
    double nx = (2.0 / aspect) * x / w;  // 2 * near / (right - left) = 2 / aspect
    double ny = 2.0 * eyeY / w;          // 2 * near / (top - bottom) = 2
    if (nx < e.xLow) e.xLow = nx;
    if (nx > e.xHigh) e.xHigh = nx;
    if (ny < e.yLow) e.yLow = ny;
    if (ny > e.yHigh) e.yHigh = ny;
  }
  return e;
}

struct Placement {
  double camX, camY;
  bool fits;
  bool widthBinds;  // the range fills the frame's width
};

// At this pitch and distance back from the box's front, centre the box in the frame and
// say whether it fits.
Placement place(const FitBox& box, const FitFrame& frame, double scale, double aspect, double pitch, double distance) {
  Placement p{(box.xMin + box.xMax) * 0.5 * scale, box.yMin - distance, false, false};
  Extent e = project(box, scale, aspect, p.camX, p.camY, pitch);
  for (int pass = 0; pass < 4 && e.inFront; ++pass) {
    // Shift sideways by the NDC error, converted by the box's own width.
    double err = (e.xLow + e.xHigh) * 0.5 - (frame.left + frame.right) * 0.5;
    double widthWorld = (box.xMax - box.xMin) * scale;
    double widthNdc = e.xHigh - e.xLow;
    if (widthNdc <= 0.0 || widthWorld <= 0.0) break;
    p.camX += err * widthWorld / widthNdc;
    e = project(box, scale, aspect, p.camX, p.camY, pitch);
  }
  if (!e.inFront) return p;
  double widthFill = (e.xHigh - e.xLow) / (frame.right - frame.left);
  p.fits = e.xLow >= frame.left - 1e-9 && e.xHigh <= frame.right + 1e-9 && e.yLow >= frame.bottom - 1e-9 &&
           e.yHigh <= frame.top + 1e-9;
  p.widthBinds = widthFill > 0.99;
  return p;
}

struct Best {
  double pitch, distance;
  Placement placement;
};

// The pitch that centres the box vertically in the frame at this distance (tilting up moves
// the box down the picture), but tilted at most kMaxTilt from level: the more the camera
// tilts, the more bars near the sides lean outwards.
double centredPitch(const FitBox& box, const FitFrame& frame, double scale, double aspect, double distance) {
  double low = 60.0, high = 150.0;
  for (int i = 0; i < 40; ++i) {
    double pitch = (low + high) * 0.5;
    Extent e = project(box, scale, aspect, (box.xMin + box.xMax) * 0.5 * scale, box.yMin - distance, pitch);
    // Corners behind the camera come from tilting too far either way; come back towards level.
    bool tooHigh = !e.inFront ? pitch > 90.0 : (e.yLow + e.yHigh) * 0.5 < (frame.bottom + frame.top) * 0.5;
    if (tooHigh)
      high = pitch;
    else
      low = pitch;
  }
  return std::min((low + high) * 0.5, 90.0 + kMaxTilt);
}

// The closest distance at which the box, vertically centred, fits the frame.
Best closest(const FitBox& box, const FitFrame& frame, double scale, double aspect) {
  auto at = [&](double distance) {
    double pitch = centredPitch(box, frame, scale, aspect, distance);
    return Best{pitch, distance, place(box, frame, scale, aspect, pitch, distance)};
  };
  double near = 0.0, far = 2000.0;
  for (int i = 0; i < 50; ++i) {
    double mid = (near + far) * 0.5;
    if (at(mid).placement.fits)
      far = mid;
    else
      near = mid;
  }
  return at(far);
}

CameraFit toCamera(const Best& best, int zoomSteps) {
  return {zoomSteps, static_cast<float>(best.placement.camX), static_cast<float>(best.placement.camY),
          static_cast<float>(best.pitch), 0.0f};
}

}  // namespace

CameraFit fitCamera(const FitBox& box, const FitFrame& frame, double aspect, int zoomSteps) {
  if (zoomSteps >= 0) return toCamera(closest(box, frame, zoomScale(zoomSteps), aspect), zoomSteps);
  // Past the last step at which the width binds, the height does and bars get no taller.
  Best chosen = closest(box, frame, 1.0, aspect);
  int steps = 0;
  for (int n = 1; n <= kMaxZoomSteps && chosen.placement.widthBinds; ++n) {
    Best next = closest(box, frame, zoomScale(n), aspect);
    if (!next.placement.widthBinds) break;
    chosen = next;
    steps = n;
  }
  return toCamera(chosen, steps);
}

namespace {

bool boxOnPicture(const Camera& eye, const FitBox& box, double aspect) {
  for (int k = 0; k < 8; ++k) {
    double nx = 0, ny = 0;
    if (!pointOnPicture(eye, aspect, (k & 1) ? box.xMax : box.xMin, (k & 2) ? box.yMax : box.yMin,
                        (k & 4) ? box.zMax : 0.0, nx, ny) ||
        std::fabs(nx) > kOverviewFill || std::fabs(ny) > kOverviewFill)
      return false;
  }
  return true;
}

// Backed off from the box's middle along the gaze by distance.
Camera overviewAt(const FitBox& box, double distance) {
  double pitch = kOverviewPitch / 180.0 * kPi;
  Camera eye;
  eye.pitch = kOverviewPitch;
  eye.yaw = 0;
  eye.originX = (box.xMin + box.xMax) * 0.5;
  eye.camX = 0;
  eye.camY = static_cast<float>((box.yMin + box.yMax) * 0.5 - std::sin(pitch) * distance);
  eye.camZ = static_cast<float>(box.zMax * 0.5 + std::cos(pitch) * distance);
  return eye;
}

}  // namespace

Camera overviewCamera(const FitBox& box, double aspect) {
  double near = 0.0, far = 1.0;
  while (!boxOnPicture(overviewAt(box, far), box, aspect) && far < 1e8) far *= 2;
  for (int i = 0; i < 60; ++i) {
    double between = (near + far) / 2;
    (boxOnPicture(overviewAt(box, between), box, aspect) ? far : near) = between;
  }
  return overviewAt(box, far);
}
