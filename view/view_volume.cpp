#include "view_volume.h"

ViewVolume viewVolumeFromMatrix(const double matrix[16], double margin) {
  double row[4][4];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) row[r][c] = matrix[c * 4 + r];
  ViewVolume volume{};
  for (int axis = 0; axis < 3; ++axis)
    for (int side = 0; side < 2; ++side) {
      double sign = side == 0 ? 1.0 : -1.0;
      double wide = 1.0 + (axis == 2 ? kDepthMargin : margin);
      for (int c = 0; c < 4; ++c) volume.plane[axis * 2 + side][c] = wide * row[3][c] + sign * row[axis][c];
    }
  return volume;
}

void shiftVolumeX(ViewVolume& volume, double originX) {
  // a (x - originX) + ... + d >= 0 is a x + ... + (d - a originX) >= 0.
  for (auto& plane : volume.plane) plane[3] -= plane[0] * originX;
}

bool boxMayBeVisible(const ViewVolume& volume, const float boxMin[3], const float boxMax[3]) {
  for (const auto& p : volume.plane) {
    // The corner furthest along the plane's normal: if even it is outside, all are.
    double x = p[0] >= 0 ? boxMax[0] : boxMin[0];
    double y = p[1] >= 0 ? boxMax[1] : boxMin[1];
    double z = p[2] >= 0 ? boxMax[2] : boxMin[2];
    if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0) return false;
  }
  return true;
}
