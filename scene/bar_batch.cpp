#include "bar_batch.h"

#include <cstring>

#include "clip_arithmetic.h"
#include "clip_space_draw.h"
#include "gl.h"
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

BarSelection lastSelection;
bool haveSelection = false;
bool arraysStale = true;
float lastMatrix[16];
GLint lastViewport[4];

bool sameSelection(const BarSelection& a, const BarSelection& b) {
  return a.revision == b.revision && a.count == b.count && a.threshold == b.threshold &&
         a.points == b.points && a.windowMode == b.windowMode &&
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

void fillArrays(bool points, const float m[16], double margin) {
  float wide = static_cast<float>(1.0 + margin);
  int32_t v = 0;
  drawnBars = 0;
  for (int32_t k = 0; k < selectedCount; ++k) {
    if (!cellVisible[selectedCell[k]]) continue;
    const TandemRecord& record = recordTable.slots[selectedSlot[k]];
    float t[4];
    translatedColumn(m, record.x, record.y, t);
    float* top = drawVertices[v + (points ? 0 : 1)];
    clipOfHeight(m, t, record.len, top);
    if (outsideVolume(points ? top : t, top, wide)) continue;
    ++drawnBars;
    if (points) {
      drawColours[v][0] = record.r;
      drawColours[v][1] = record.g;
      drawColours[v][2] = record.b;
      ++v;
      continue;
    }
    std::memcpy(drawVertices[v], t, sizeof t);
    for (int end = 0; end < 2; ++end) {
      drawColours[v + end][0] = 0.0f;
      drawColours[v + end][1] = 0.0f;
      drawColours[v + end][2] = record.r;
    }
    v += 2;
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
    fillArrays(selection.points, matrix, margin);
    std::memcpy(lastMatrix, matrix, sizeof matrix);
    std::memcpy(lastViewport, viewport, sizeof viewport);
    arraysStale = false;
  }
  if (drawVertexCount == 0) return;

  drawClipSpaceArrays(selection.points ? GL_POINTS : GL_LINES, drawVertices, drawColours, drawVertexCount);
}

BarBatchStats barBatchStats() { return {selectedCount, drawnBars}; }

BarBatchArrays barBatchArrays() { return {drawVertices, drawColours, drawVertexCount, lastSelection.points}; }
