// Which boxes can reach the picture: the six planes of the view volume taken from the
// matrix that carries projection and camera. Pure arithmetic, no GL.
#pragma once

constexpr double kDepthMargin = 1e-5;  // in normalised depth, beyond float rounding

struct ViewVolume {
  double plane[6][4];  // a point (x, y, z) is inside a plane when a*x + b*y + c*z + d >= 0
};

// matrix: column-major, clip = matrix * world. margin widens the sides, in units of the
// half-width of the view (0.01 lets through what lies 1% of that outside the picture).
// Near and far move out by kDepthMargin only: depth runs so flat towards the far plane
// that any real margin there would keep everything.
ViewVolume viewVolumeFromMatrix(const double matrix[16], double margin);

// The same volume for points whose x counts from 0 when the matrix takes x counted from
// originX.
void shiftVolumeX(ViewVolume& volume, double originX);

// False only when the whole box lies outside one plane, so nothing in it can be seen.
bool boxMayBeVisible(const ViewVolume& volume, const float boxMin[3], const float boxMax[3]);
