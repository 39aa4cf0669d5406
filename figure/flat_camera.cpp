#include "flat_camera.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "bar_height.h"
#include "camera.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "bar_records.h"
#include "pyramid_bars.h"
#include "sequence_places.h"

void nameRegion(const ViewState& view, FigureView& figure) {
  if (view.filter.regionStart < 0) return;
  const SequenceAxis& axis = loadedSequences();
  SequencePlace first{}, last{};
  if (!sequencePlaceOf(axis, view.filter.regionStart, first) ||
      !sequencePlaceOf(axis, view.filter.regionEnd - 1, last) || first.sequence != last.sequence)
    return;
  const AxisSequence& sequence = axis.sequences[first.sequence];
  figure.labelOrigin = sequence.offset - typedOfAxis(0);
  figure.axisName = sequence.name;
}

void nameSequences(const ViewState& view, FigureView& figure) {
  nameRegion(view, figure);
  figure.sequenceNames = figure.axisName.empty() && loadedSequences().sequences.size() > 1;
}

void chooseLegends(const ViewState& view, FigureView& figure) {
  figure.strandLegend =
      view.look.colourMode == kColourByOrientation || (view.look.showLinks && view.look.colourMode != kColourByIdentity);
  ShownSlots shown = shownSlots(view);
  if (figure.strandLegend) {
    figure.sameStrandShown = figure.invertedShown = false;
    for (int32_t k = 0; k < shown.count; ++k) {
      bool inverted = pairOrientationOf(pairOfSlot(shown.slots[k])) != 0;
      (inverted ? figure.invertedShown : figure.sameStrandShown) = true;
    }
  }
  if (view.look.colourMode != kColourByIdentity) return;
  int low = 10001, high = -1;
  for (int32_t k = 0; k < shown.count; ++k) {
    uint16_t identity = pairIdentityOf(pairOfSlot(shown.slots[k]));
    if (identity == kIdentityUnknown) continue;
    low = std::min(low, static_cast<int>(identity));
    high = std::max(high, static_cast<int>(identity));
  }
  if (high < 0) return;
  figure.identityLegend = true;
  figure.identityLow = low;
  figure.identityHigh = high;
}

void chooseHeightFloor(const ViewState& view, FigureView& figure) {
  if (!view.look.logHeights) return;
  ShownSlots shown = shownSlots(view);
  double full = basesAtFullHeight(view), shortest = 0;
  for (int32_t k = 0; k < shown.count; ++k) {
    double bases = basesOfScaled(barLength(shown.slots[k]), full);
    if (k == 0 || bases < shortest) shortest = bases;
  }
  shortest *= 1.0 + 1e-6;  // the scaled length read back may fall a hair short of a round length
  if (!(shortest > 1.0)) return;
  // Round down to 1, 2 or 5 times a power of ten: the scale's lowest tick.
  int64_t decade = 1;
  while (decade <= INT64_MAX / 10 && static_cast<double>(decade) * 10 <= shortest) decade *= 10;
  int64_t nice = decade;
  for (int m : {2, 5})
    if (static_cast<double>(decade * m) <= shortest) nice = decade * m;
  figure.heightFloorBases = nice;
  figure.floorZ = heightOfBases(view, static_cast<double>(nice));
}

void placeFlatView(const FitBox& box, const FitFrame& frame, const ViewState& view, int width, int height,
                   FigureView& figure) {
  double low = box.xMin, high = box.xMax;
  if (view.filter.regionStart < 0) {
    // A little room each side, so the outermost bars are not half cut by the frame.
    double pad = (high - low) * 0.005;
    if (!(pad > 0)) pad = 1e-3;
    low -= pad;
    high += pad;
  }
  double top = box.zMax > 0 ? box.zMax : 1.0;
  double floor = figure.floorZ < top ? figure.floorZ : 0.0;
  camera = Camera{};
  camera.camX = 0;
  camera.camY = static_cast<float>(box.yMin - 1.0);
  camera.pitch = 90;
  camera.yaw = 0;
  double perX = (frame.right - frame.left) / (high - low);  // device units per world x
  double perZ = (frame.top - frame.bottom) / (top - floor);
  figure.eye[0] = low - (frame.left + 1.0) / perX;
  figure.eye[1] = figure.eye[0] + 2.0 / perX;
  figure.eye[2] = floor - camera.camZ - (frame.bottom + 1.0) / perZ;
  figure.eye[3] = figure.eye[2] + 2.0 / perZ;
  int left = static_cast<int>(std::floor((frame.left + 1.0) * 0.5 * width));
  int right = static_cast<int>(std::ceil((frame.right + 1.0) * 0.5 * width));
  int bottom = static_cast<int>(std::floor((frame.bottom + 1.0) * 0.5 * height));
  figure.scissor[0] = left;
  figure.scissor[1] = bottom;
  figure.scissor[2] = right - left;
  figure.scissor[3] = height - bottom;  // upwards the picture's edge is the limit
  figure.flat = true;
}

float figureLineWidth(int width) { return std::max(1.0f, std::round(static_cast<float>(width) / 960.0f)); }

SceneLook figureLook(const FigureView& figure, bool white, int width) {
  SceneLook look;
  look.white = white;
  if (!figure.flat) return look;
  look.scissor = true;
  std::memcpy(look.box, figure.scissor, sizeof look.box);
  look.lineWidth = figureLineWidth(width);
  look.orthographic = true;
  return look;
}

MarkInput figureMarkInput(const FigureView& figure, const ViewState& view, const float matrix[16], int width,
                          int height, bool annotate, const std::string& title) {
  MarkInput input{};
  input.width = width;
  input.height = height;
  std::memcpy(input.matrix, matrix, sizeof input.matrix);
  // The marks measure x from the axis' start; the frame's matrix takes it from the camera's
  // origin (0 but for a --camera that gives one).
  for (int r = 0; r < 4; ++r)
    input.matrix[12 + r] = static_cast<float>(input.matrix[12 + r] - static_cast<double>(input.matrix[r]) * camera.originX);
  input.zoomSteps = figure.zoomSteps;
  input.firstPos = figure.firstPos;
  input.lastPos = figure.lastPos;
  input.axisY = figure.axisY;
  input.lengthScale = basesAtFullHeight(view);
  input.tallest = figure.tallest;
  input.clipped = view.look.heightBases > 0 && barsMaxLen() > view.look.heightBases;
  input.logHeights = view.look.logHeights;
  input.annotate = annotate && figure.firstPos <= figure.lastPos;
  input.title = title;
  input.nothingShown = figure.nothingShown;
  if (figure.flat) {
    input.flat = true;
    input.frame = figure.frame;
    input.heightFloorBases = figure.heightFloorBases;
    input.labelOrigin = figure.labelOrigin;
    input.axisName = figure.axisName;
    input.lanes = view.annotations != nullptr && view.look.showLanes ? view.annotations : nullptr;
    input.sequences = figure.sequenceNames ? &loadedSequences() : nullptr;
    input.strandLegend = figure.strandLegend;
    input.sameStrandShown = figure.sameStrandShown;
    input.invertedShown = figure.invertedShown;
    input.identityLegend = figure.identityLegend;
    input.identityLow = figure.identityLow;
    input.identityHigh = figure.identityHigh;
    input.densest = barsThroughPyramid() ? densestColumn() : 0;
    input.hudRows = figure.hudRows;
  }
  return input;
}
