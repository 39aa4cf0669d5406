#include "axis_ruler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "axis_scale.h"
#include "axis_ticks.h"
#include "bar_records.h"
#include "camera.h"
#include "pair_facts.h"
#include "sequence_axis.h"
#include "sequence_places.h"
#include "text_raster.h"

namespace {

constexpr float kRulerY = -0.2f;     // in front of the first row and of the window's scale bar
constexpr float kTickLength = 0.06f;
constexpr double kFarthest = 60.0;   // beyond this the ground is too foreshortened to read
constexpr double kLabelSpacingPixels = 110.0;
constexpr float kLabelHeight = 13.0f;
constexpr size_t kMaxTicks = 128;
constexpr double kTickGapPixels = 6.0;
constexpr double kLabelGapPixels = 16.0;
constexpr float kBoundaryLength = 0.16f;     // a sequence's start: a tick through the ruler
constexpr double kBoundaryGapPixels = 3.0;   // closer boundaries (tiny contigs) show as one
constexpr size_t kMostBoundaries = 2048;

// Clip coordinates along the ruler are linear in x: c(x) = base + slope x.
struct RulerLine {
  double base[4];
  double slope[4];
};

// Narrows [low, high] to where a + b x >= 0.
void keepNonNegative(double a, double b, double& low, double& high) {
  if (b == 0) {
    if (a < 0) high = low - 1;
    return;
  }
  double root = -a / b;
  if (b > 0) {
    if (root > low) low = root;
  } else if (root < high) {
    high = root;
  }
}

// The stretch of the ruler in front of the eye, inside the picture and not too far; near and
// far grow with the camera's altitude as the frustum does.
bool visibleStretch(const RulerLine& line, double& low, double& high) {
  const double* a = line.base;
  const double* b = line.slope;
  double scale = altitudeScale(camera);
  keepNonNegative(a[3] - 0.2 * scale, b[3] - 0.0, low, high);  // in front of the near plane
  keepNonNegative(kFarthest * std::max(scale, 1.0) - a[3], -b[3], low, high);
  keepNonNegative(a[3] - a[0], b[3] - b[0], low, high);  // x <= w
  keepNonNegative(a[3] + a[0], b[3] + b[0], low, high);  // -w <= x
  keepNonNegative(a[3] - a[1], b[3] - b[1], low, high);
  keepNonNegative(a[3] + a[1], b[3] + b[1], low, high);
  return high > low;
}

}  // namespace

bool groundOnScreen(const float m[16], double x, double y, int width, int height, double& column, double& row) {
  double clip[4];
  for (int r = 0; r < 4; ++r) clip[r] = m[r] * x + m[4 + r] * y + m[12 + r];
  if (clip[3] <= 1e-6) return false;
  column = (clip[0] / clip[3] + 1.0) / 2.0 * width;
  row = (1.0 - clip[1] / clip[3]) / 2.0 * height;
  return true;
}

bool groundUnder(const float m[16], double column, double row, int width, int height, double& x, double& y) {
  double px = column / width * 2.0 - 1.0, py = 1.0 - row / height * 2.0;
  // clip = m (x, y, 0, 1); px = clip0 / clip3, py = clip1 / clip3: two linear equations.
  double a = m[0] - px * m[3], b = m[4] - px * m[7], c = px * m[15] - m[12];
  double d = m[1] - py * m[3], e = m[5] - py * m[7], f = py * m[15] - m[13];
  double det = a * e - b * d;
  if (std::fabs(det) < 1e-12) return false;
  x = (c * e - b * f) / det;
  y = (a * f - c * d) / det;
  return m[3] * x + m[7] * y + m[15] > 0;  // in front of the eye
}

namespace {

// The smallest of 1, 2, 5, 10, 20, 50... that is at least `ratio`.
int64_t roundLevel(double ratio) {
  int64_t level = 1;
  static const int64_t kSteps[] = {2, 5, 10};
  for (int64_t decade = 1; static_cast<double>(level) < ratio && decade < (int64_t{1} << 40); decade *= 10)
    for (int64_t step : kSteps)
      if (static_cast<double>(level) < ratio) level = step * decade;
  return level;
}

// Where the ruler ends: the viewer's axis, or the sequences laid on it or a store's bars
// when they reach farther (looked for once a load).
int64_t rulerEnd() {
  const SequenceAxis& axis = loadedSequences();
  int64_t end = kAxisPositions;
  if (!axis.sequences.empty()) end = std::max(end, axis.sequences.back().offset + axis.sequences.back().length);
  static uint32_t lookedAt = 0;
  static int32_t lookedAtSlots = -1;
  static int64_t farthest = 0;
  if (pairStoreActive() && (lookedAt != barsRevision() || lookedAtSlots != barSlotEnd())) {
    lookedAt = barsRevision();
    lookedAtSlots = barSlotEnd();
    farthest = 0;
    for (int32_t slot = 1; slot < barSlotEnd(); ++slot) farthest = std::max(farthest, barPosition(slot) + 1);
  }
  return pairStoreActive() ? std::max(end, farthest) : end;
}

struct LabelBox {
  int left, right, top, bottom;
};

}  // namespace

bool groundStretchInView(const float m[16], float y, double& low, double& high) {
  RulerLine line;
  for (int r = 0; r < 4; ++r) {
    line.slope[r] = m[r];
    line.base[r] = m[4 + r] * y + m[12 + r];
  }
  return visibleStretch(line, low, high);
}

void addAxisRuler(DrawList& list, const ViewState& view, const ScreenBox& keepClear) {
  int width = list.width, height = list.height;
  if (width <= 0 || height <= 0) return;
  const float* m = list.matrix;
  RulerLine line;
  for (int r = 0; r < 4; ++r) {
    line.slope[r] = m[r];
    line.base[r] = m[4 + r] * kRulerY + m[12 + r];
  }
  const int32_t zoom = view.zoomSteps;
  // The matrix places x from the camera's origin; the ticks count from the axis' start.
  const double origin = camera.originX;
  double low = 0.0 - origin, high = xOfPosition(static_cast<double>(rulerEnd()), zoom) - origin;  // the whole axis
  if (!visibleStretch(line, low, high)) return;
  low += origin;
  high += origin;
  // The spacing puts labels about kLabelSpacingPixels apart a third of the way along the
  // ruler on screen, from its near end: nearer they spread, farther some are left out.
  double wLow = line.base[3] + line.slope[3] * (low - origin), wHigh = line.base[3] + line.slope[3] * (high - origin);
  bool nearEndFirst = wLow <= wHigh;
  double nearX = nearEndFirst ? low : high, farX = nearEndFirst ? high : low;
  double wNear = nearEndFirst ? wLow : wHigh, wFar = nearEndFirst ? wHigh : wLow;
  const double f = 1.0 / 3.0;  // screen-linear, so interpolate with 1/w weights
  double probe = (f / wFar * farX + (1 - f) / wNear * nearX) / (f / wFar + (1 - f) / wNear);
  double step = (high - low) * 1e-4;
  double c0 = 0, r0 = 0, c1 = 0, r1 = 0;
  groundOnScreen(m, probe - step - origin, kRulerY, width, height, c0, r0);
  groundOnScreen(m, probe + step - origin, kRulerY, width, height, c1, r1);
  double pixelsPerUnit = std::hypot(c1 - c0, r1 - r0) / (2 * step);
  if (!(pixelsPerUnit > 0)) return;
  double labelSpacing = positionOfX(kLabelSpacingPixels / pixelsPerUnit, zoom);
  int64_t spacing = tickSpacing(static_cast<int64_t>(std::ceil(labelSpacing)), 1);
  double centre = positionOfX(probe, zoom), reach = static_cast<double>(spacing) * (kMaxTicks / 2);
  int64_t first = static_cast<int64_t>(std::ceil(std::max(positionOfX(low, zoom), centre - reach)));
  int64_t last = static_cast<int64_t>(std::floor(std::min(positionOfX(high, zoom), centre + reach)));
  AxisTick ticks[kMaxTicks];
  size_t count = axisTicks(first, last, spacing, ticks, kMaxTicks);

  // Where ticks crowd towards the horizon only every 2nd, 5th, 10th... is kept, and the
  // same for labels, so what remains stays round (1 Mb, 2 Mb, 5 Mb) and readable.
  bool kept[kMaxTicks] = {};
  char labels[kMaxTicks][24];
  bool labelled[kMaxTicks] = {};
  for (size_t i = 0; i < count; ++i) {
    double x = xOfPosition(static_cast<double>(ticks[i].position), zoom) - origin;
    double column = 0, row = 0, nextColumn = 0, nextRow = 0;
    if (!groundOnScreen(m, x, kRulerY, width, height, column, row) ||
        !groundOnScreen(m, x + xOfPosition(static_cast<double>(spacing), zoom), kRulerY, width, height, nextColumn,
                        nextRow))
      continue;
    double gap = std::hypot(nextColumn - column, nextRow - row);
    int64_t index = ticks[i].position / spacing;
    int64_t tickLevel = roundLevel(kTickGapPixels / gap);
    kept[i] = index % tickLevel == 0;
    int64_t labelLevel = roundLevel((measureText(ticks[i].label, kLabelHeight) + kLabelGapPixels) / gap);
    labelled[i] = kept[i] && index % labelLevel == 0;
    if (labelled[i]) formatTickLabel(ticks[i].position, spacing * labelLevel, labels[i], sizeof labels[i]);
  }
  static const float rulerInk[4] = {0.1f, 0.1f, 0.2f, 1.0f};
  beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  addVertex(list, static_cast<float>(low - origin), kRulerY, 0.0f, rulerInk);
  addVertex(list, static_cast<float>(high - origin), kRulerY, 0.0f, rulerInk);
  for (size_t i = 0; i < count; ++i) {
    if (!kept[i]) continue;
    float x = static_cast<float>(xOfPosition(static_cast<double>(ticks[i].position), zoom) - origin);
    addVertex(list, x, kRulerY, 0.0f, rulerInk);
    addVertex(list, x, kRulerY - kTickLength, 0.0f, rulerInk);
  }
  // Where each sequence starts, with its name above the ruler when there is room: on an
  // axis of several sequences, positions mean little without them.
  const SequenceAxis& axis = loadedSequences();
  size_t boundaryCount = 0;
  double boundaryX[kMostBoundaries];
  size_t boundarySequence[kMostBoundaries];
  if (axis.sequences.size() > 1) {
    auto reaching = std::lower_bound(axis.sequences.begin(), axis.sequences.end(), positionOfX(low, zoom),
                                  [](const AxisSequence& sequence, double at) {
                                    return static_cast<double>(sequence.offset + sequence.length) < at;
                                  });
    double lastColumn = -1e9, lastRow = -1e9;
    static const float boundaryInk[4] = {0.55f, 0.1f, 0.1f, 1.0f};
    beginDrawItem(list, DrawKind::lines, DrawSpace::world);
    for (auto sequence = reaching; sequence != axis.sequences.end() && boundaryCount < kMostBoundaries; ++sequence) {
      double x = xOfPosition(static_cast<double>(sequence->offset), zoom), column = 0, row = 0;
      if (x > high) break;
      if (x < low || !groundOnScreen(m, x - origin, kRulerY, width, height, column, row)) continue;
      if (std::hypot(column - lastColumn, row - lastRow) < kBoundaryGapPixels) continue;
      lastColumn = column;
      lastRow = row;
      addVertex(list, static_cast<float>(x - origin), kRulerY + kBoundaryLength / 2, 0.0f, boundaryInk);
      addVertex(list, static_cast<float>(x - origin), kRulerY - kBoundaryLength / 2, 0.0f, boundaryInk);
      boundaryX[boundaryCount] = x - origin;
      boundarySequence[boundaryCount++] = static_cast<size_t>(sequence - axis.sequences.begin());
    }
  }

  // Labels under their ticks, nearest first; one that would overlap a drawn one is left out.
  static const float ink[3] = {0.05f, 0.05f, 0.15f};
  static const float backing[4] = {1.0f, 1.0f, 1.0f, 0.6f};
  const int boxHeight = static_cast<int>(kLabelHeight) + 4;
  LabelBox drawn[kMaxTicks];
  size_t drawnCount = 0;
  for (size_t n = 0; n < count; ++n) {
    size_t i = nearEndFirst ? n : count - 1 - n;
    if (!labelled[i]) continue;
    double x = xOfPosition(static_cast<double>(ticks[i].position), zoom) - origin, column = 0, row = 0;
    if (!groundOnScreen(m, x, kRulerY - kTickLength, width, height, column, row)) continue;
    int textWidth = measureText(labels[i], kLabelHeight);
    LabelBox box;
    box.left = static_cast<int>(column) - textWidth / 2 - 3;
    box.right = box.left + textWidth + 6;
    // Under the tick, or just above the picture's bottom edge when the ruler runs along it.
    box.top = std::min(static_cast<int>(row) + 2, height - boxHeight - 1);
    box.bottom = box.top + boxHeight;
    bool overlaps = box.left < keepClear.right && keepClear.left < box.right && box.top < keepClear.bottom &&
                    keepClear.top < box.bottom;
    for (size_t k = 0; k < drawnCount && !overlaps; ++k)
      overlaps = box.left < drawn[k].right + 4 && drawn[k].left < box.right + 4 && box.top < drawn[k].bottom &&
                 drawn[k].top < box.bottom;
    if (overlaps) continue;
    drawn[drawnCount++] = box;
    addPanel(list, box.left, box.top, box.right - box.left, boxHeight, backing);
    addOverlayText(list, labels[i], box.left + 3, box.top + 1, kLabelHeight, ink);
  }
  // Sequence names just above their starts, nearest first, where they overlap nothing drawn.
  static const float nameInk[3] = {0.45f, 0.05f, 0.05f};
  std::vector<LabelBox> names;
  for (size_t n = 0; n < boundaryCount; ++n) {
    size_t i = nearEndFirst ? n : boundaryCount - 1 - n;
    double column = 0, row = 0;
    if (!groundOnScreen(m, boundaryX[i], kRulerY + kBoundaryLength / 2, width, height, column, row)) continue;
    const char* name = axis.sequences[boundarySequence[i]].name.c_str();
    int textWidth = measureText(name, kLabelHeight);
    LabelBox box{static_cast<int>(column) + 2, static_cast<int>(column) + textWidth + 8,
                 static_cast<int>(row) - boxHeight - 1, static_cast<int>(row) - 1};
    if (box.top < 0 || box.right > width) continue;
    bool overlaps = box.left < keepClear.right && keepClear.left < box.right && box.top < keepClear.bottom &&
                    keepClear.top < box.bottom;
    for (size_t k = 0; k < drawnCount && !overlaps; ++k)
      overlaps = box.left < drawn[k].right && drawn[k].left < box.right && box.top < drawn[k].bottom &&
                 drawn[k].top < box.bottom;
    for (size_t k = 0; k < names.size() && !overlaps; ++k)
      overlaps = box.left < names[k].right + 4 && names[k].left < box.right + 4 && box.top < names[k].bottom &&
                 names[k].top < box.bottom;
    if (overlaps) continue;
    names.push_back(box);
    addPanel(list, box.left, box.top, box.right - box.left, boxHeight, backing);
    addOverlayText(list, name, box.left + 3, box.top + 1, kLabelHeight, nameInk);
  }
}
