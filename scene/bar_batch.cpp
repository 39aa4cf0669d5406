#include "bar_batch.h"

#include <cmath>
#include <cstring>

#include "clip_arithmetic.h"
#include "clip_space_draw.h"
#include "gl.h"
#include "pair_colours.h"
#include "record_table.h"
#include "view_volume.h"
#include "window_mode.h"

namespace {

// Cells of one unit along x; bars left of 0 or past the last cell share the end cells,
// whose boxes simply grow. Boxes come from the bars themselves, so culling stays sound
// however the records were moved.
constexpr int kCells = 4096;
constexpr int kMaxBars = kTableSlots;

struct CellBox {
  float min[3];
  float max[3];
  bool used;
};

int32_t selectedSlot[kMaxBars];
uint16_t selectedCell[kMaxBars];
int32_t selectedCount = 0;
CellBox cells[kCells];
uint8_t cellVisible[kCells];

// Clip coordinates, two vertices a bar for lines, one for points.
float drawVertices[kMaxBars * 2][4];
float drawColours[kMaxBars * 2][3];
int32_t drawVertexCount = 0;
int32_t drawnBars = 0;
// For picking: each drawn bar's slot and cell, in drawing order.
int32_t drawnSlot[kMaxBars];
uint16_t drawnCell[kMaxBars];
bool drawnPoints = false;

BarSelection lastSelection;
bool haveSelection = false;
bool arraysStale = true;
float lastMatrix[16];
GLint lastViewport[4];

bool sameSelection(const BarSelection& a, const BarSelection& b) {
  return a.revision == b.revision && a.count == b.count && a.threshold == b.threshold &&
         a.points == b.points && a.windowMode == b.windowMode && a.colourMode == b.colourMode &&
         (!a.windowMode || a.windowStart == b.windowStart);
}

bool inWindow(int32_t value, int32_t windowStart) {
  // 64-bit sums: a window near the int32 limit must not wrap round.
  return static_cast<int64_t>(windowStart) <= value &&
         static_cast<int64_t>(value) <= static_cast<int64_t>(windowStart) + kWindowSpan;
}

uint16_t cellOf(float x) {
  if (!(x >= 0.0f)) return 0;
  if (x >= static_cast<float>(kCells - 1)) return kCells - 1;
  return static_cast<uint16_t>(x);
}

void growBox(CellBox& box, const TandemRecord& record) {
  float lo[3] = {record.x, record.y, record.len < 0.0f ? record.len : 0.0f};
  float hi[3] = {record.x, record.y, record.len > 0.0f ? record.len : 0.0f};
  if (!box.used) {
    std::memcpy(box.min, lo, sizeof lo);
    std::memcpy(box.max, hi, sizeof hi);
    box.used = true;
    return;
  }
  for (int c = 0; c < 3; ++c) {
    if (lo[c] < box.min[c]) box.min[c] = lo[c];
    if (hi[c] > box.max[c]) box.max[c] = hi[c];
  }
}

void selectBars(const BarSelection& selection) {
  for (auto& box : cells) box.used = false;
  selectedCount = 0;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& record = recordTable.slots[i];
    if (!(record.len > selection.threshold)) continue;
    if (selection.windowMode && !inWindow(record.partner, selection.windowStart) &&
        !inWindow(record.pos, selection.windowStart))
      continue;
    uint16_t cell = cellOf(record.x);
    growBox(cells[cell], record);
    selectedSlot[selectedCount] = i;
    selectedCell[selectedCount] = cell;
    ++selectedCount;
  }
}

void findVisibleCells(const float matrix[16], double margin) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = matrix[i];
  ViewVolume volume = viewVolumeFromMatrix(m, margin);
  for (int c = 0; c < kCells; ++c)
    cellVisible[c] = cells[c].used && boxMayBeVisible(volume, cells[c].min, cells[c].max) ? 1 : 0;
}

// Outside when every given vertex lies beyond the same side of the widened view volume.
bool outsideVolume(const float* a, const float* b, float wide) {
  for (int axis = 0; axis < 3; ++axis) {
    float scale = axis == 2 ? static_cast<float>(1.0 + kDepthMargin) : wide;
    float wa = a[3] * scale, wb = b[3] * scale;
    if (a[axis] > wa && b[axis] > wb) return true;
    if (a[axis] < -wa && b[axis] < -wb) return true;
  }
  return false;
}

void fillArrays(bool points, int32_t colourMode, const float m[16], double margin) {
  float wide = static_cast<float>(1.0 + margin);
  int32_t v = 0;
  drawnBars = 0;
  drawnPoints = points;
  for (int32_t k = 0; k < selectedCount; ++k) {
    if (!cellVisible[selectedCell[k]]) continue;
    const TandemRecord& record = recordTable.slots[selectedSlot[k]];
    float t[4];
    translatedColumn(m, record.x, record.y, t);
    float* top = drawVertices[v + (points ? 0 : 1)];
    clipOfHeight(m, t, record.len, top);
    if (outsideVolume(points ? top : t, top, wide)) continue;
    drawnSlot[drawnBars] = selectedSlot[k];
    drawnCell[drawnBars] = selectedCell[k];
    ++drawnBars;
    float colour[3];
    if (points) {
      colour[0] = record.r, colour[1] = record.g, colour[2] = record.b;
    } else {
      colour[0] = 0.0f, colour[1] = 0.0f, colour[2] = record.r;
      std::memcpy(drawVertices[v], t, sizeof t);
    }
    if (colourMode != kColourAsSpecified) pairColour(colourMode, selectedSlot[k], colour);
    int ends = points ? 1 : 2;
    for (int end = 0; end < ends; ++end) std::memcpy(drawColours[v + end], colour, sizeof colour);
    v += ends;
  }
  drawVertexCount = v;
}

}  // namespace

void drawBarBatch(const BarSelection& selection) {
  if (!haveSelection || !sameSelection(selection, lastSelection)) {
    selectBars(selection);
    lastSelection = selection;
    haveSelection = true;
    arraysStale = true;
  }
  // Every bar of the literal pass sets the point size; with none selected it stays as it was.
  if (selection.points && selectedCount > 0) glPointSize(2.0f);

  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (arraysStale || std::memcmp(matrix, lastMatrix, sizeof matrix) != 0 ||
      std::memcmp(viewport, lastViewport, sizeof viewport) != 0) {
    // Four pixels of slack on each side: a 2-pixel point whose centre lies just outside
    // may still touch the picture's edge.
    int shorter = viewport[2] < viewport[3] ? viewport[2] : viewport[3];
    double margin = shorter > 0 ? 8.0 / shorter : 1.0;
    findVisibleCells(matrix, margin);
    fillArrays(selection.points, selection.colourMode, matrix, margin);
    std::memcpy(lastMatrix, matrix, sizeof matrix);
    std::memcpy(lastViewport, viewport, sizeof viewport);
    arraysStale = false;
  }
  if (drawVertexCount == 0) return;

  drawClipSpaceArrays(selection.points ? GL_POINTS : GL_LINES, drawVertices, drawColours, drawVertexCount);
}

BarBatchStats barBatchStats() { return {selectedCount, drawnBars}; }

namespace {

// The pick point and its slack in normalised device coordinates.
struct PickTarget {
  double x, y, rx, ry;
  double pixelsX, pixelsY;  // device units to pixels
};

// Cells whose box, seen from the eye, may come within the radius of the point: a box
// reaching behind the eye is kept, as its projection is unbounded.
void findPickCells(const PickTarget& target, uint8_t* candidate) {
  for (int c = 0; c < kCells; ++c) {
    candidate[c] = 0;
    if (!cellVisible[c]) continue;
    const CellBox& box = cells[c];
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    bool behind = false;
    for (int corner = 0; corner < 8 && !behind; ++corner) {
      double p[3] = {(corner & 1) ? box.max[0] : box.min[0], (corner & 2) ? box.max[1] : box.min[1],
                     (corner & 4) ? box.max[2] : box.min[2]};
      double clip[4];
      for (int r = 0; r < 4; ++r)
        clip[r] = lastMatrix[r] * p[0] + lastMatrix[4 + r] * p[1] + lastMatrix[8 + r] * p[2] + lastMatrix[12 + r];
      if (clip[3] <= 1e-6) {
        behind = true;
        break;
      }
      for (int a = 0; a < 2; ++a) {
        double v = clip[a] / clip[3];
        if (v < lo[a]) lo[a] = v;
        if (v > hi[a]) hi[a] = v;
      }
    }
    if (behind || (lo[0] <= target.x + target.rx && hi[0] >= target.x - target.rx && lo[1] <= target.y + target.ry &&
                   hi[1] >= target.y - target.ry))
      candidate[c] = 1;
  }
}

// Both ends beyond one side of the square around the point, without dividing by w.
bool segmentMissesSquare(const PickTarget& target, const float* a, const float* b) {
  double ax = a[0], ay = a[1], aw = a[3], bx = b[0], by = b[1], bw = b[3];
  double right = target.x + target.rx, left = target.x - target.rx;
  double top = target.y + target.ry, bottom = target.y - target.ry;
  return (ax > right * aw && bx > right * bw) || (ax < left * aw && bx < left * bw) ||
         (ay > top * aw && by > top * bw) || (ay < bottom * aw && by < bottom * bw);
}

struct PickHit {
  double pixels;  // distance from the point on screen
  double depth;   // clip w at the nearest point: distance from the eye along the view
};

// Distance on screen from the point to the segment a-b, its part behind the eye cut off.
bool nearestOnSegment(const PickTarget& target, const float* a, const float* b, double radius, PickHit& hit) {
  const double kNearW = 1e-4;
  double pa[4] = {a[0], a[1], a[2], a[3]}, pb[4] = {b[0], b[1], b[2], b[3]};
  if (pa[3] < kNearW && pb[3] < kNearW) return false;
  if (pa[3] < kNearW || pb[3] < kNearW) {
    double* cut = pa[3] < kNearW ? pa : pb;
    const double* keep = pa[3] < kNearW ? pb : pa;
    double t = (keep[3] - kNearW) / (keep[3] - cut[3]);
    for (int r = 0; r < 4; ++r) cut[r] = keep[r] + (cut[r] - keep[r]) * t;
  }
  double ax = (pa[0] / pa[3] - target.x) * target.pixelsX, ay = (pa[1] / pa[3] - target.y) * target.pixelsY;
  double bx = (pb[0] / pb[3] - target.x) * target.pixelsX, by = (pb[1] / pb[3] - target.y) * target.pixelsY;
  double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? -(ax * dx + ay * dy) / length2 : 0.0;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  double nx = ax + dx * t, ny = ay + dy * t;
  hit.pixels = std::sqrt(nx * nx + ny * ny);
  hit.depth = pa[3] + (pb[3] - pa[3]) * t;
  return hit.pixels <= radius;
}

uint8_t pickCell[kCells];

}  // namespace

int32_t pickBatchedBar(double column, double row, double radius) {
  if (!haveSelection || drawnBars == 0 || lastViewport[2] <= 0 || lastViewport[3] <= 0) return 0;
  PickTarget target;
  target.pixelsX = lastViewport[2] / 2.0;
  target.pixelsY = lastViewport[3] / 2.0;
  target.x = column / target.pixelsX - 1.0;
  target.y = 1.0 - row / target.pixelsY;
  target.rx = radius / target.pixelsX;
  target.ry = radius / target.pixelsY;
  findPickCells(target, pickCell);

  int32_t best = 0;
  PickHit bestHit{0, 0};
  int32_t stride = drawnPoints ? 1 : 2;
  for (int32_t k = 0; k < drawnBars; ++k) {
    if (!pickCell[drawnCell[k]]) continue;
    const float* a = drawVertices[k * stride];
    const float* b = drawVertices[k * stride + stride - 1];
    if (segmentMissesSquare(target, a, b)) continue;
    PickHit hit;
    if (!nearestOnSegment(target, a, b, radius, hit)) continue;
    if (best == 0 || hit.depth < bestHit.depth || (hit.depth == bestHit.depth && hit.pixels < bestHit.pixels)) {
      best = drawnSlot[k];
      bestHit = hit;
    }
  }
  return best;
}
