#include "bar_batch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "bar_height.h"
#include "camera.h"
#include "clip_arithmetic.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "bar_records.h"
#include "pyramid_bars.h"
#include "screen_segment.h"
#include "view_volume.h"

namespace {

// Cells of one unit along x; bars left of 0 or past the last cell share the end cells,
// whose boxes simply grow. Boxes come from the bars themselves, so culling stays sound
// however the records were moved.
constexpr int kCells = 4096;

struct CellBox {
  float min[3];
  float max[3];
  bool used;
};

// Sized for the most bars shown so far.
int32_t barRoom = 0;
std::unique_ptr<int32_t[]> selectedSlot;
std::unique_ptr<uint16_t[]> selectedCell;
int32_t selectedCount = 0;
CellBox cells[kCells];
uint8_t cellVisible[kCells];

// Clip coordinates, two vertices a bar for lines, one for points.
std::unique_ptr<float[][4]> drawVertices;
std::unique_ptr<float[][3]> drawColours;
int32_t drawVertexCount = 0;
int32_t drawnBars = 0;
// For picking, in drawing order: each drawn bar's slot, its two ends on screen in
// normalised device coordinates (ax, ay, bx, by; NaN when the bar reaches behind the eye,
// where its projection is unbounded), and the smaller clip w of its ends, how near it
// comes to the eye.
// Kept as separate arrays so that the first look over all of them runs in vector lanes.
std::unique_ptr<int32_t[]> drawnSlot;
std::unique_ptr<float[]> drawnEnds[4];
std::unique_ptr<float[]> drawnNear;
bool drawnPoints = false;

void storeScreenEnds(int32_t k, const float* a, const float* b) {
  float nearest = a[3] < b[3] ? a[3] : b[3];  // not "near": Windows headers define it
  drawnNear[k] = nearest;
  if (!(nearest > 0.0f)) {
    drawnEnds[0][k] = drawnEnds[1][k] = drawnEnds[2][k] = drawnEnds[3][k] = NAN;
    return;
  }
  drawnEnds[0][k] = a[0] / a[3];
  drawnEnds[1][k] = a[1] / a[3];
  drawnEnds[2][k] = b[0] / b[3];
  drawnEnds[3][k] = b[1] / b[3];
}

// What the cells and arrays were made for.
uint64_t selectedGeneration = 0;
bool haveSelection = false;
bool haveSelectionFromTable = true;  // false while the arrays hold the pyramid's choice
bool arraysStale = true;
bool lastPoints = false;
int32_t lastColourMode = 0;
bool lastLogHeights = false;
double lastHeightBases = 0;
float lastMatrix[16];
double lastOriginX = 0;
int lastViewport[4];

uint16_t cellOf(float x) {
  if (!(x >= 0.0f)) return 0;
  if (x >= static_cast<float>(kCells - 1)) return kCells - 1;
  return static_cast<uint16_t>(x);
}

void makeRoom(int32_t bars) {
  if (bars <= barRoom) return;
  barRoom = bars;
  size_t n = static_cast<size_t>(bars);
  selectedSlot.reset(new int32_t[n]);
  selectedCell.reset(new uint16_t[n]);
  drawVertices.reset(new float[n * 2][4]);
  drawColours.reset(new float[n * 2][3]);
  drawnSlot.reset(new int32_t[n]);
  for (auto& ends : drawnEnds) ends.reset(new float[n]);
  drawnNear.reset(new float[n]);
}

void growBox(CellBox& box, float x, float y, float height) {
  float lo[3] = {x, y, height < 0.0f ? height : 0.0f};
  float hi[3] = {x, y, height > 0.0f ? height : 0.0f};
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

void selectBars(const ViewState& view, const ShownSlots& shown) {
  for (auto& box : cells) box.used = false;
  makeRoom(shown.count);
  selectedCount = shown.count;
  for (int32_t k = 0; k < shown.count; ++k) {
    int32_t slot = shown.slots[k];
    float x = static_cast<float>(barX(slot));
    uint16_t cell = cellOf(x);
    // A float's step either side: bars are drawn from the camera's origin, where x far out
    // lands finer than this x does.
    growBox(cells[cell], std::nextafter(x, -HUGE_VALF), barY(slot), barHeight(view, barLength(slot)));
    growBox(cells[cell], std::nextafter(x, HUGE_VALF), barY(slot), barHeight(view, barLength(slot)));
    selectedSlot[k] = shown.slots[k];
    selectedCell[k] = cell;
  }
}

void findVisibleCells(const float matrix[16], double margin) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = matrix[i];
  ViewVolume volume = viewVolumeFromMatrix(m, margin);
  shiftVolumeX(volume, camera.originX);  // the cells' boxes count x from 0
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

void fillArrays(const ViewState& view, bool points, const float m[16], double margin) {
  int32_t colourMode = view.look.colourMode;
  float wide = static_cast<float>(1.0 + margin);
  int32_t v = 0;
  drawnBars = 0;
  drawnPoints = points;
  for (int32_t k = 0; k < selectedCount; ++k) {
    if (!cellVisible[selectedCell[k]]) continue;
    int32_t slot = selectedSlot[k];
    float t[4];
    translatedColumn(m, static_cast<float>(barX(slot) - camera.originX), barY(slot), t);
    float* top = drawVertices[v + (points ? 0 : 1)];
    clipOfHeight(m, t, barHeight(view, barLength(slot)), top);
    if (outsideVolume(points ? top : t, top, wide)) continue;
    drawnSlot[drawnBars] = selectedSlot[k];
    storeScreenEnds(drawnBars, points ? top : t, top);
    ++drawnBars;
    float colour[3];
    BarColour own = barColour(slot);
    if (points) {
      colour[0] = own.r, colour[1] = own.g, colour[2] = own.b;
    } else {
      colour[0] = 0.0f, colour[1] = 0.0f, colour[2] = own.r;
      std::memcpy(drawVertices[v], t, sizeof t);
    }
    if (colourMode != kColourOfPass) pairColour(colourMode, selectedSlot[k], colour);
    int ends = points ? 1 : 2;
    for (int end = 0; end < ends; ++end) std::memcpy(drawColours[v + end], colour, sizeof colour);
    v += ends;
  }
  drawVertexCount = v;
}

// The pyramid's choice as drawn: clip coordinates in double from x in double, counted from
// the camera's origin as the matrix is, so that a bar far out stands where its base is;
// each bar shaded by the bars its column stands for.
uint64_t filledGeneration = 0;

void fillFromColumns(const ViewState& view, bool points, const PyramidChoice& choice, const float matrix[16],
                     double margin) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = matrix[i];
  auto clipOf = [&m](double x, double y, double z, float out[4]) {
    for (int r = 0; r < 4; ++r) out[r] = static_cast<float>(m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r]);
  };
  float wide = static_cast<float>(1.0 + margin);
  int32_t v = 0;
  drawnBars = 0;
  drawnPoints = points;
  makeRoom(choice.count);
  for (int32_t k = 0; k < choice.count; ++k) {
    const ColumnBar& bar = choice.bars[k];
    double x = barX(bar.slot) - camera.originX, y = barY(bar.slot);
    float* top = drawVertices[v + (points ? 0 : 1)];
    float base[4];
    clipOf(x, y, 0.0, base);
    clipOf(x, y, barHeight(view, barLength(bar.slot)), top);
    if (outsideVolume(points ? top : base, top, wide)) continue;
    drawnSlot[drawnBars] = bar.slot;
    storeScreenEnds(drawnBars, points ? top : base, top);
    ++drawnBars;
    BarColour own = barColour(bar.slot);
    float colour[3] = {own.r, own.g, own.b};
    if (!points) colour[0] = 0.0f, colour[1] = 0.0f, colour[2] = own.r;
    if (!points) std::memcpy(drawVertices[v], base, sizeof base);
    if (view.look.colourMode != kColourOfPass) pairColour(view.look.colourMode, bar.slot, colour);
    shadeByDensity(bar.count, choice.densest, colour);
    int ends = points ? 1 : 2;
    for (int end = 0; end < ends; ++end) std::memcpy(drawColours[v + end], colour, sizeof colour);
    v += ends;
  }
  drawVertexCount = v;
  selectedCount = choice.count;
  haveSelection = true;
}

// The arrays as one item of the list; sized is whether the point size is set.
void addArraysItem(DrawList& list, bool points, bool sized) {
  DrawItem& item = beginDrawItem(list, points ? DrawKind::points : DrawKind::lines, DrawSpace::clip);
  item.clipVertices = drawVertices.get();
  item.clipColours = drawColours.get();
  item.count = drawVertexCount;
  if (points && sized) item.size = 2.0f;
}

void addColumnBars(DrawList& list, const ViewState& view, bool points) {
  int shorter = list.viewport[2] < list.viewport[3] ? list.viewport[2] : list.viewport[3];
  double margin = shorter > 0 ? 8.0 / shorter : 1.0;
  PyramidChoice choice = choosePyramidBars(view, list.matrix, list.viewport, margin);
  if (choice.generation != filledGeneration || points != lastPoints || view.look.colourMode != lastColourMode ||
      arraysStale) {
    fillFromColumns(view, points, choice, list.matrix, margin);
    filledGeneration = choice.generation;
    std::memcpy(lastViewport, list.viewport, sizeof lastViewport);
    lastPoints = points;
    lastColourMode = view.look.colourMode;
    arraysStale = false;
    // The table's cache no longer describes the arrays.
    haveSelectionFromTable = false;
  }
  addArraysItem(list, points, drawVertexCount > 0);
}

}  // namespace

void addBarBatch(DrawList& list, const ViewState& view, bool points) {
  if (barsThroughPyramid()) {
    addColumnBars(list, view, points);
    return;
  }
  if (!haveSelectionFromTable) {
    haveSelection = false;
    haveSelectionFromTable = true;
    filledGeneration = 0;  // and the pyramid's choice must be drawn again
  }
  ShownSlots shown = shownSlots(view);
  bool heightsChanged = view.look.logHeights != lastLogHeights || view.look.heightBases != lastHeightBases;
  lastLogHeights = view.look.logHeights;
  lastHeightBases = view.look.heightBases;
  if (!haveSelection || shown.generation != selectedGeneration || heightsChanged) {
    selectBars(view, shown);
    selectedGeneration = shown.generation;
    haveSelection = true;
    arraysStale = true;
  }
  if (points != lastPoints || view.look.colourMode != lastColourMode) arraysStale = true;
  lastPoints = points;
  lastColourMode = view.look.colourMode;
  const float* matrix = list.matrix;
  const int* viewport = list.viewport;
  if (arraysStale || std::memcmp(matrix, lastMatrix, sizeof lastMatrix) != 0 || lastOriginX != camera.originX ||
      std::memcmp(viewport, lastViewport, sizeof lastViewport) != 0) {
    // Four pixels of slack on each side: a 2-pixel point whose centre lies just outside
    // may still touch the picture's edge.
    int shorter = viewport[2] < viewport[3] ? viewport[2] : viewport[3];
    double margin = shorter > 0 ? 8.0 / shorter : 1.0;
    findVisibleCells(matrix, margin);
    fillArrays(view, points, matrix, margin);
    std::memcpy(lastMatrix, matrix, sizeof lastMatrix);
    lastOriginX = camera.originX;
    std::memcpy(lastViewport, viewport, sizeof lastViewport);
    arraysStale = false;
  }
  // Every bar of the literal pass sets the point size; with none selected it stays as it was.
  addArraysItem(list, points, selectedCount > 0);
}

BarBatchStats barBatchStats() { return {selectedCount, drawnBars}; }

ShownSlots drawnPairs() {
  static std::vector<int32_t> firsts;
  static uint64_t madeFor = 0;
  if (madeFor != filledGeneration) {
    firsts.clear();
    for (int32_t k = 0; k < drawnBars; ++k) firsts.push_back(drawnSlot[k] % 2 == 1 ? drawnSlot[k] : drawnSlot[k] - 1);
    std::sort(firsts.begin(), firsts.end());
    firsts.erase(std::unique(firsts.begin(), firsts.end()), firsts.end());
    madeFor = filledGeneration;
  }
  return {firsts.data(), static_cast<int32_t>(firsts.size()), filledGeneration | uint64_t{1} << 63};
}

namespace {

// The pick point and its slack in normalised device coordinates.
struct PickTarget {
  double x, y, rx, ry;
  double pixelsX, pixelsY;  // device units to pixels
};

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
  float px = static_cast<float>(target.x), py = static_cast<float>(target.y);
  float left = static_cast<float>(target.x - target.rx), right = static_cast<float>(target.x + target.rx);
  float bottom = static_cast<float>(target.y - target.ry), top = static_cast<float>(target.y + target.ry);
  float scaleX = static_cast<float>(target.pixelsX), scaleY = static_cast<float>(target.pixelsY);
  float radius2 = static_cast<float>(radius * radius);

  int32_t best = 0;
  float bestDepth = 0, bestPixels2 = 0;
  int32_t stride = drawnPoints ? 1 : 2;
  const float* ax = drawnEnds[0].get();
  const float* ay = drawnEnds[1].get();
  const float* bx = drawnEnds[2].get();
  const float* by = drawnEnds[3].get();
  constexpr int32_t kBlock = 1024;
  uint8_t outside[kBlock];
  for (int32_t base = 0; base < drawnBars; base += kBlock) {
    int32_t n = drawnBars - base < kBlock ? drawnBars - base : kBlock;
    // Bars wholly beyond one side of the square around the point, or wholly behind the best
    // so far, without a branch, so the compiler runs it in vector lanes; NaN ends fail every
    // test and are looked at below.
    float behind = best != 0 ? bestDepth : HUGE_VALF;
    for (int32_t i = 0; i < n; ++i) {
      int32_t k = base + i;
      outside[i] = static_cast<uint8_t>(((ax[k] < left) & (bx[k] < left)) | ((ax[k] > right) & (bx[k] > right)) |
                                        ((ay[k] < bottom) & (by[k] < bottom)) | ((ay[k] > top) & (by[k] > top)) |
                                        (drawnNear[k] > behind));
    }
    for (int32_t i = 0; i < n; ++i) {
      if (outside[i]) continue;
      int32_t k = base + i;
      // Where thousands of far bars meet near the horizon, most lie wholly behind the best.
      float depth = drawnNear[k];
      if (best != 0 && depth > bestDepth) continue;
      float pixels2;
      if (ax[k] == ax[k]) {
        float x0 = (ax[k] - px) * scaleX, y0 = (ay[k] - py) * scaleY;
        float dx = (bx[k] - px) * scaleX - x0, dy = (by[k] - py) * scaleY - y0;
        float length2 = dx * dx + dy * dy;
        float t = length2 > 0.0f ? -(x0 * dx + y0 * dy) / length2 : 0.0f;
        t = t < 0.0f ? 0.0f : t > 1.0f ? 1.0f : t;
        float nx = x0 + dx * t, ny = y0 + dy * t;
        pixels2 = nx * nx + ny * ny;
        if (pixels2 > radius2) continue;
      } else {
        double pixels = 0, nearDepth = 0;
        if (!nearSegmentOnScreen(drawVertices[k * stride], drawVertices[k * stride + stride - 1], column, row,
                                 lastViewport[2], lastViewport[3], radius, pixels, nearDepth))
          continue;
        pixels2 = static_cast<float>(pixels * pixels);
        depth = static_cast<float>(nearDepth);
      }
      if (best == 0 || depth < bestDepth || (depth == bestDepth && pixels2 < bestPixels2)) {
        best = drawnSlot[k];
        bestDepth = depth;
        bestPixels2 = pixels2;
      }
    }
  }
  return best;
}
