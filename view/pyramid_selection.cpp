#include "pyramid_selection.h"

#include <algorithm>
#include <cmath>

#include "view_volume.h"

namespace {

constexpr double kRowStep = 0.1;  // a bar's row over the bars already standing at its place
constexpr double kNearW = 1e-6;   // clip w at the eye: nothing is measured behind it

struct Walk {
  const BarPyramid& p;
  const PyramidCounts& counts;
  const PyramidFrame& frame;
  std::vector<ColumnBar>& out;
  ViewVolume volume;
  double halfWidth, halfHeight;
  float lowest;  // the drawn height of the threshold: no shown bar reaches below it
  bool countsFit;
  // The pixel the last chosen bar's foot fell on.
  bool lastPlaced = false;
  int64_t lastColumn = 0, lastRow = 0;
  int32_t lastBar = 0;

  float length(int32_t i) const { return p.lengths[static_cast<size_t>(i)]; }
  int32_t slot(int32_t i) const { return p.slots[static_cast<size_t>(i)]; }

  // Clip w and the point on screen in pixels; false behind the eye.
  bool onScreen(double x, double y, double z, double& sx, double& sy) const {
    const double* m = frame.matrix;
    double c[4];
    for (int r = 0; r < 4; ++r) c[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    if (!(c[3] > kNearW)) return false;
    sx = c[0] / c[3] * halfWidth;
    sy = c[1] / c[3] * halfHeight;
    return true;
  }

  bool mayBeVisible(const double lo[3], const double hi[3]) const {
    for (const auto& plane : volume.plane) {
      double x = plane[0] >= 0 ? hi[0] : lo[0];
      double y = plane[1] >= 0 ? hi[1] : lo[1];
      double z = plane[2] >= 0 ? hi[2] : lo[2];
      if (plane[0] * x + plane[1] * y + plane[2] * z + plane[3] < 0) return false;
    }
    return true;
  }

  void choose(int32_t bar, uint32_t count, uint32_t inverted) {
    int32_t s = slot(bar);
    double sx = 0, sy = 0;
    bool placed = onScreen(frame.x(s), frame.y(s), 0.0, sx, sy);
    int64_t column = placed ? static_cast<int64_t>(std::floor(sx)) : 0;
    int64_t row = placed ? static_cast<int64_t>(std::floor(sy)) : 0;
    if (placed && lastPlaced && column == lastColumn && row == lastRow && !out.empty()) {
      ColumnBar& last = out.back();
      last.count += count;
      last.inverted += inverted;
      if (length(bar) > length(lastBar) || (length(bar) == length(lastBar) && s < last.slot)) {
        last.slot = s;
        lastBar = bar;
      }
      return;
    }
    out.push_back({s, count, inverted});
    lastBar = bar;
    lastPlaced = placed;
    lastColumn = column;
    lastRow = row;
  }

  void visit(size_t level, size_t node) {
    int32_t top = p.tallest[level][node];
    if (!(length(top) > frame.threshold)) return;
    size_t blocks = p.tallest[0].size();
    size_t firstBlock = node << level, endBlock = std::min(blocks, (node + 1) << level);
    int32_t lo = static_cast<int32_t>(firstBlock * kPyramidBlock);
    int32_t hi = static_cast<int32_t>(std::min(p.slots.size(), endBlock * kPyramidBlock)) - 1;
    // x keeps the bars' order on each side of the break, so the ends (and the bars either
    // side of the break) bound the node.
    double x0 = frame.x(slot(lo)), x1 = frame.x(slot(hi));
    double xLow = std::min(x0, x1), xHigh = std::max(x0, x1);
    double yLow = std::min(frame.y(slot(lo)), frame.y(slot(hi)));
    double yHigh = std::max(frame.y(slot(lo)), frame.y(slot(hi)));
    if (lo < p.split && p.split <= hi) {
      for (int32_t i : {p.split - 1, p.split}) {
        double x = frame.x(slot(i));
        double y = frame.y(slot(i));
        xLow = std::min(xLow, x), xHigh = std::max(xHigh, x);
        yLow = std::min(yLow, y), yHigh = std::max(yHigh, y);
      }
    }
    // A node across the break may have slid apart in y since it was built.
    double rows = lo < p.split && p.split <= hi ? kRowStep * p.tallestStack : p.rise[level][node];
    float tallest = frame.barHeight(length(top));
    double boxLow[3] = {xLow, yLow - rows, std::min(0.0f, lowest)};
    double boxHigh[3] = {xHigh, yHigh + rows, std::max(0.0f, tallest)};
    if (!mayBeVisible(boxLow, boxHigh)) return;
    double topY = frame.y(slot(top));
    double ax = 0, ay = 0, bx = 0, by = 0;
    bool measured = onScreen(xLow, topY, 0.0, ax, ay) && onScreen(xHigh, topY, 0.0, bx, by);
    if (measured && std::fabs(bx - ax) <= 1.0 && std::fabs(by - ay) <= 1.0) {
      uint32_t count = 1, inverted = p.inverted[static_cast<size_t>(top)];
      if (countsFit) {
        count = std::max(1u, counts.shown[endBlock] - counts.shown[firstBlock]);
        inverted = std::min(count, counts.inverted[endBlock] - counts.inverted[firstBlock]);
      }
      choose(top, count, inverted);
      return;
    }
    if (level == 0) {
      for (int32_t i = lo; i <= hi; ++i)
        if (length(i) > frame.threshold) choose(i, 1, p.inverted[static_cast<size_t>(i)]);
      return;
    }
    for (size_t child = 2 * node; child < 2 * node + 2 && child < p.tallest[level - 1].size(); ++child)
      visit(level - 1, child);
  }
};

}  // namespace

void selectPyramidBars(const BarPyramid& p, const PyramidCounts& counts, const PyramidFrame& frame,
                       std::vector<ColumnBar>& out) {
  out.clear();
  if (p.tallest.empty() || frame.width <= 0 || frame.height <= 0) return;
  Walk walk{p, counts, frame, out, viewVolumeFromMatrix(frame.matrix, frame.margin), frame.width / 2.0,
            frame.height / 2.0, frame.barHeight(frame.threshold), counts.shown.size() == p.tallest[0].size() + 1};
  walk.visit(p.tallest.size() - 1, 0);
}
