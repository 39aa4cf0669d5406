#include "flat_camera.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "camera.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "pair_traits.h"
#include "record_table.h"
#include "sequence_places.h"

void nameRegion(const ViewState& view, FigureView& figure) {
  if (view.filter.regionStart < 0) return;
  const SequenceAxis& axis = loadedSequences();
  SequencePlace first{}, last{};
  if (!sequencePlaceOf(axis, view.filter.regionStart, first) ||
      !sequencePlaceOf(axis, view.filter.regionEnd - 1, last) || first.sequence != last.sequence)
    return;
  const AxisSequence& sequence = axis.sequences[first.sequence];
  figure.labelOrigin = sequence.offset - 1;
  figure.axisName = sequence.name;
}

void chooseLegends(const ViewState& view, FigureView& figure) {
  figure.strandLegend = view.look.colourMode == kColourByOrientation ||
                        (view.look.showLinks && view.look.colourMode != kColourByIdentity);
  if (view.look.colourMode != kColourByIdentity) return;
  ShownSlots shown = shownSlots(view);
  int low = 10001, high = -1;
  for (int32_t k = 0; k < shown.count; ++k) {
    uint16_t identity = pairTraits.identity[pairOfSlot(shown.slots[k])];
    if (identity == kIdentityUnknown) continue;
    low = std::min(low, static_cast<int>(identity));
    high = std::max(high, static_cast<int>(identity));
  }
  if (high < 0) return;
  figure.identityLegend = true;
  figure.identityLow = low;
  figure.identityHigh = high;
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
  camera = Camera{};
  camera.camX = 0;
  camera.camY = static_cast<float>(box.yMin - 1.0);
  camera.pitch = 90;
  camera.yaw = 0;
  double perX = (frame.right - frame.left) / (high - low);  // device units per world x
  double perZ = (frame.top - frame.bottom) / top;
  figure.eye[0] = low - (frame.left + 1.0) / perX;
  figure.eye[1] = figure.eye[0] + 2.0 / perX;
  figure.eye[2] = -camera.camZ - (frame.bottom + 1.0) / perZ;
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
                          int height, int64_t maxLen, bool annotate, const std::string& title) {
  MarkInput input{};
  input.width = width;
  input.height = height;
  std::memcpy(input.matrix, matrix, sizeof input.matrix);
  input.zoomSteps = figure.zoomSteps;
  input.firstPos = figure.firstPos;
  input.lastPos = figure.lastPos;
  input.axisY = figure.axisY;
  input.lengthScale = maxLen > 0 ? static_cast<double>(maxLen) : recordTable.maxLen;
  input.tallest = figure.tallest;
  input.clipped = maxLen > 0 && recordTable.maxLen > maxLen;
  input.annotate = annotate && figure.firstPos <= figure.lastPos;
  input.title = title;
  input.nothingShown = figure.nothingShown;
  if (figure.flat) {
    input.flat = true;
    input.frame = figure.frame;
    input.logHeights = view.look.logHeights;
    input.labelOrigin = figure.labelOrigin;
    input.axisName = figure.axisName;
    input.lanes = view.annotations != nullptr && view.look.showLanes ? view.annotations : nullptr;
    input.strandLegend = figure.strandLegend;
    input.identityLegend = figure.identityLegend;
    input.identityLow = figure.identityLow;
    input.identityHigh = figure.identityHigh;
    input.hudRows = figure.hudRows;
  }
  return input;
}
