// The lanes' strips under a perspective camera, checked on screen without GL: a strip
// merges features only within a pixel of each other and reaches at most a pixel beyond.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "annotation_strips.h"
#include "axis_ruler.h"
#include "feature_table.h"
#include "lane_grains.h"

namespace {

constexpr int kWidth = 1000, kHeight = 600;
constexpr double kPerUnit = 100000;  // positions a unit of x, unzoomed

// resizeView's frustum times applyCameraTransform, column-major, as the GL builds it.
void cameraMatrix(float camX, float camY, float pitch, float yaw, float out[16]) {
  double a = 0.1 * kWidth / kHeight, n = 0.2, f = 1000, t = 0.1;
  double p = -pitch * M_PI / 180, w = -yaw * M_PI / 180;
  double frustum[16] = {n / a, 0, 0, 0, 0, n / t, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0};
  double rx[16] = {1, 0, 0, 0, 0, std::cos(p), std::sin(p), 0, 0, -std::sin(p), std::cos(p), 0, 0, 0, 0, 1};
  double rz[16] = {std::cos(w), std::sin(w), 0, 0, -std::sin(w), std::cos(w), 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  double tr[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -camX, -camY, -2, 1};
  auto times = [](const double* l, const double* r, double* o) {
    for (int c = 0; c < 4; ++c)
      for (int row = 0; row < 4; ++row) {
        o[c * 4 + row] = 0;
        for (int k = 0; k < 4; ++k) o[c * 4 + row] += l[k * 4 + row] * r[c * 4 + k];
      }
  };
  double m1[16], m2[16], m3[16];
  times(frustum, rx, m1);
  times(m1, rz, m2);
  times(m2, tr, m3);
  for (int i = 0; i < 16; ++i) out[i] = static_cast<float>(m3[i]);
}

TEST(LaneGrains, StripsMergeOnlyWithinAPixelAndReachAtMostAPixelBeyond) {
  // H. pylori's tandem arrays: 36 of some 65 bp, 8 kb apart from 1.3 Mb on.
  FeatureTable table;
  FeatureNameIndex names;
  uint32_t name = addFeatureName(table, names, "TR");
  std::vector<PlacedFeature> placed;
  for (int i = 0; i < 36; ++i) placed.push_back({1300000 + i * 8000, 1300000 + i * 8000 + 65, name, 0, '+'});
  buildFeatureTable(table, placed);
  std::map<int, Grain> grains;
  GrainOfLevel grainOf = [&](int level) -> const Grain& {
    Grain& grain = grains[level];
    if (grain.strips.empty()) mergeLaneStrips(table, level < 0 ? 0 : uint32_t{1} << level, grain.strips);
    for (const LaneStrip& strip : grain.strips) grain.longest = std::max(grain.longest, strip.end - strip.start);
    return grain;
  };
  float y = laneFront(0) - kLaneDepth / 2;
  // Low along the lane, from above, and from far off where many arrays share a pixel.
  const float cameras[][4] = {{12.0f, -0.2f, 84, -88}, {14.5f, -1, 20, 0}, {14.5f, -60, 89, 0}, {-5, -1, 70, -60}};
  for (const auto& c : cameras) {
    float m[16];
    cameraMatrix(c[0], c[1], c[2], c[3], m);
    double low = 0, high = 4294967296.0 / kPerUnit;
    ASSERT_TRUE(groundStretchInView(m, y, low, high));
    std::vector<StripToDraw> strips;
    stripsToDraw(m, kWidth, kHeight, y, low, high, 0, grainOf, strips);
    auto pixelsBetween = [&](double a, double b) {  // bases, on the lane's line
      double c0 = 0, r0 = 0, c1 = 0, r1 = 0;
      EXPECT_TRUE(groundOnScreen(m, a / kPerUnit, y, kWidth, kHeight, c0, r0));
      EXPECT_TRUE(groundOnScreen(m, b / kPerUnit, y, kWidth, kHeight, c1, r1));
      return std::hypot(c1 - c0, r1 - r0);
    };
    size_t covered = 0;
    for (const StripToDraw& s : strips) {
      double from = s.x0 * kPerUnit, to = s.x1 * kPerUnit, reachLow = 1e300, reachHigh = -1e300, lastEnd = -1;
      for (const PlacedFeature& f : placed) {
        double start = static_cast<double>(f.start), end = static_cast<double>(f.end);
        if (end <= from || start >= to) continue;
        if (lastEnd >= 0) {
          EXPECT_LE(pixelsBetween(lastEnd, start), 1.0 + 1e-6) << "merged across a gap";
        }
        lastEnd = end;
        reachLow = std::min(reachLow, std::max(start, from));
        reachHigh = std::max(reachHigh, std::min(end, to));
        ++covered;
      }
      ASSERT_GE(lastEnd, 0) << "a strip over no feature, from " << from << " to " << to;
      EXPECT_LE(pixelsBetween(from, reachLow), 1.0 + 1e-6) << "reaches before its features";
      EXPECT_LE(pixelsBetween(reachHigh, to), 1.0 + 1e-6) << "reaches past its features";
    }
    EXPECT_GT(covered, 0u) << c[0] << " " << c[1] << " " << low << " " << high << " " << strips.size();
  }
}

}  // namespace
