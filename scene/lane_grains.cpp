#include "lane_grains.h"

#include <algorithm>
#include <cmath>

#include "axis_scale.h"

int grainLevel(double basesPerPixel) {
  if (!(basesPerPixel >= 2)) return basesPerPixel >= 1 ? 0 : -1;
  return std::min(31, static_cast<int>(std::floor(std::log2(basesPerPixel))));
}

double basesPerPixelAt(const float m[16], int width, int height, float y, double x, int32_t zoomSteps) {
  double clip[4];
  for (int r = 0; r < 4; ++r) clip[r] = m[r] * x + m[4 + r] * static_cast<double>(y) + m[12 + r];
  double w = clip[3];
  if (w <= 1e-6) return 0;
  // How fast the point moves on screen as x grows: the derivative of clip / w.
  double column = width / 2.0 * (m[0] * w - clip[0] * m[3]) / (w * w);
  double row = height / 2.0 * (m[1] * w - clip[1] * m[3]) / (w * w);
  double pixels = std::hypot(column, row);
  return pixels > 0 ? positionsPerUnit(zoomSteps) / pixels : 0;
}

namespace {

struct Stretch {
  double low, high;
  int level;
};

// Along a straight ground line the scale changes one way only (w is linear in x), so the
// line splits into runs of one level; each run takes the finer level at its two ends.
void stretchesOfOneLevel(const float m[16], int width, int height, float y, double low, double high,
                         int32_t zoomSteps, std::vector<Stretch>& out) {
  auto levelAt = [&](double x) { return grainLevel(basesPerPixelAt(m, width, height, y, x, zoomSteps)); };
  double from = low;
  for (int guard = 0; guard < 80 && from < high; ++guard) {
    int level = levelAt(from);
    if (levelAt(high) == level) {
      out.push_back({from, high, level});
      return;
    }
    double same = from, other = high;
    for (int i = 0; i < 60; ++i) {
      double mid = (same + other) / 2;
      (levelAt(mid) == level ? same : other) = mid;
    }
    out.push_back({from, other, std::min(level, levelAt(other))});
    from = other;
  }
}

}  // namespace

void stripsToDraw(const float m[16], int width, int height, float y, double low, double high, int32_t zoomSteps,
                  const GrainOfLevel& grainOf, std::vector<StripToDraw>& out, double originX) {
  out.clear();
  std::vector<Stretch> stretches;
  stretchesOfOneLevel(m, width, height, y, low, high, zoomSteps, stretches);
  for (const Stretch& stretch : stretches) {
    const Grain& grain = grainOf(stretch.level);
    double from = positionOfX(stretch.low + originX, zoomSteps), to = positionOfX(stretch.high + originX, zoomSteps);
    auto first = std::lower_bound(grain.strips.begin(), grain.strips.end(), from - static_cast<double>(grain.longest),
                                  [](const LaneStrip& strip, double at) { return static_cast<double>(strip.start) < at; });
    for (auto strip = first; strip != grain.strips.end() && static_cast<double>(strip->start) < to; ++strip) {
      if (static_cast<double>(strip->end) <= from) continue;
      // Cut where the grain changes: past it a gap this wide may span more than a pixel.
      double start = std::max(static_cast<double>(strip->start), from);
      double end = std::min(static_cast<double>(strip->end), to);
      double pixel =
          basesPerPixelAt(m, width, height, y, xOfPosition((start + end) / 2, zoomSteps) - originX, zoomSteps);
      double widen = std::max(0.0, 2 * pixel - (end - start)) / 2;
      out.push_back({xOfPosition(start - widen, zoomSteps) - originX, xOfPosition(end + widen, zoomSteps) - originX,
                     &*strip});
    }
  }
}
