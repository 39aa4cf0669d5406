#include "screen_segment.h"

#include <algorithm>
#include <cmath>

bool nearSegmentOnScreen(const float* a0, const float* b0, double column, double row, int width, int height,
                         double radius, double& pixels, double& depth) {
  const double kNearW = 1e-4;
  double a[4] = {a0[0], a0[1], a0[2], a0[3]}, b[4] = {b0[0], b0[1], b0[2], b0[3]};
  if (a[3] < kNearW && b[3] < kNearW) return false;
  if (a[3] < kNearW || b[3] < kNearW) {
    double* cut = a[3] < kNearW ? a : b;
    const double* keep = a[3] < kNearW ? b : a;
    double t = (keep[3] - kNearW) / (keep[3] - cut[3]);
    for (int r = 0; r < 4; ++r) cut[r] = keep[r] + (cut[r] - keep[r]) * t;
  }
  double halfW = width / 2.0, halfH = height / 2.0;
  double ax = (a[0] / a[3] + 1.0) * halfW - column, ay = (1.0 - a[1] / a[3]) * halfH - row;
  double bx = (b[0] / b[3] + 1.0) * halfW - column, by = (1.0 - b[1] / b[3]) * halfH - row;
  double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? std::clamp(-(ax * dx + ay * dy) / length2, 0.0, 1.0) : 0.0;
  pixels = std::hypot(ax + dx * t, ay + dy * t);
  depth = a[3] + (b[3] - a[3]) * t;
  return pixels <= radius;
}
