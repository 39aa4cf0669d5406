#include "annotation_strips.h"

#include <cmath>
#include <vector>

#include "annotation_lanes.h"
#include "axis_ruler.h"
#include "camera_transform.h"
#include "gl.h"
#include "pair_facts.h"
#include "text_drawing.h"

namespace {

constexpr float kFirstLaneY = -0.36f;  // behind the ruler's labels, seen from the start camera
constexpr float kLaneGap = 0.06f;

// Strips nearer than a pixel on screen are drawn as one, in the colour of the first: a
// chromosome's 450,000 repeats then cost a few thousand quads, however far out one looks.
struct Strip {
  double x0, x1;
  Rgb colour;
  bool open;
};

void emit(const Strip& strip, float y0, float y1) {
  glColor3ub(strip.colour.r, strip.colour.g, strip.colour.b);
  // Just above the floor, which lies at 0.
  glVertex3f(static_cast<float>(strip.x0), y0, 0.002f);
  glVertex3f(static_cast<float>(strip.x1), y0, 0.002f);
  glVertex3f(static_cast<float>(strip.x1), y1, 0.002f);
  glVertex3f(static_cast<float>(strip.x0), y1, 0.002f);
}

// World units one pixel spans along the ground line at y, near the middle of the stretch.
double unitsPerPixel(const float m[16], float y, double low, double high) {
  int width = 0, height = 0;
  overlaySize(width, height);
  auto column = [&](double x, double& c, double& r) {
    double clip[4];
    for (int k = 0; k < 4; ++k) clip[k] = m[k] * x + m[4 + k] * y + m[12 + k];
    if (clip[3] <= 1e-6) return false;
    c = (clip[0] / clip[3] + 1.0) / 2.0 * width;
    r = (1.0 - clip[1] / clip[3]) / 2.0 * height;
    return true;
  };
  double mid = (low + high) / 2, step = (high - low) * 1e-3, c0, r0, c1, r1;
  if (!(step > 0) || !column(mid - step, c0, r0) || !column(mid + step, c1, r1)) return 0;
  double pixels = std::hypot(c1 - c0, r1 - r0);
  return pixels > 0 ? 2 * step / pixels : 0;
}

std::vector<uint32_t> hits;

}  // namespace

float laneFront(int lane) { return kFirstLaneY - static_cast<float>(lane) * (kLaneDepth + kLaneGap); }

void drawAnnotationLanes(const ViewState& view, const AnnotationLanes& lanes) {
  glPushMatrix();
  applyCameraTransform();
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  double perUnit = positionsPerUnit(view.zoomSteps);
  glPushAttrib(GL_CURRENT_BIT);
  glBegin(GL_QUADS);
  for (size_t k = 0; k < lanes.lanes.size(); ++k) {
    const AnnotationLane& lane = lanes.lanes[k];
    float front = laneFront(static_cast<int>(k));
    double low = 0.0, high = 4294967296.0 / perUnit;
    if (!groundStretchInView(m, front - kLaneDepth / 2, low, high)) continue;
    double merge = unitsPerPixel(m, front - kLaneDepth / 2, low, high);
    hits.clear();
    featuresOverlapping(lane.features, static_cast<int64_t>(std::floor(low * perUnit)),
                        static_cast<int64_t>(std::ceil(high * perUnit)) + 1, hits);
    Strip rows[kLaneRows] = {};
    float rowDepth = kLaneDepth / static_cast<float>(lane.features.rowsUsed > 0 ? lane.features.rowsUsed : 1);
    for (uint32_t feature : hits) {
      int row = lane.features.row[feature];
      double x0 = lane.features.start[feature] / perUnit, x1 = lane.features.end[feature] / perUnit;
      Strip& strip = rows[row];
      float y0 = front - static_cast<float>(row) * rowDepth, y1 = y0 - rowDepth * 0.85f;
      if (strip.open && x0 <= strip.x1 + merge) {
        if (x1 > strip.x1) strip.x1 = x1;
        continue;
      }
      if (strip.open) emit(strip, y0, y1);
      // At least a pixel wide, so a 50 bp repeat stays in sight from afar.
      strip = {x0, x1 > x0 + merge ? x1 : x0 + merge, featureColour(lanes, lane, feature), true};
    }
    for (int row = 0; row < kLaneRows; ++row) {
      float y0 = front - static_cast<float>(row) * rowDepth, y1 = y0 - rowDepth * 0.85f;
      if (rows[row].open) emit(rows[row], y0, y1);
    }
  }
  glEnd();
  glPopAttrib();
  glPopMatrix();
}
