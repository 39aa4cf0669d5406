#include "dot_plot.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "axis_scale.h"
#include "bar_height.h"
#include "bar_records.h"
#include "camera.h"
#include "hud.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "pair_traits.h"
#include "screen_segment.h"
#include "sequence_axis.h"
#include "text_raster.h"

namespace {

constexpr float kPlotFloor[4] = {0.80f, 0.87f, 0.95f, 1.0f};
constexpr float kGridColour[4] = {0.62f, 0.66f, 0.74f, 1.0f};
constexpr float kNameColour[3] = {0.0f, 0.0f, 0.1f};
constexpr float kNameSize = 15.0f;
// Segments and grid stand this far over the floor, so that the depth test cannot lose them in it.
constexpr float kLift = 1e-3f;
// More sequences than this are neither ruled nor named: their lines would fill the plot.
constexpr size_t kMostRuled = 2000;

struct Ribbon {
  int32_t slot;  // the pair's first copy
  DotSegment at;
  float height;
  float colour[3];
};

// The selection, made again when what chooses it changes.
std::vector<Ribbon> ribbons;
int32_t shownPairs = 0;
uint64_t madeForGeneration = 0;
bool haveRibbons = false;
int32_t madeForZoom = 0, madeForColour = 0;
bool madeForPoints = false, madeForLog = false;
double madeForOrigin = 0;
double madeForHeightBases = 0;

// The ground segments as world lines, kept with the selection.
std::vector<float> segmentPoints;     // x, y, z two a ribbon
std::vector<uint8_t> segmentColours;  // r, g, b two a ribbon
std::vector<uint32_t> segmentIndices;

// Clip coordinates, two triangles a ribbon, made again when the matrix changes; and which
// ribbon each drawn one is, for picking.
std::vector<float> ribbonVertices;  // x, y, z, w
std::vector<float> ribbonColours;   // r, g, b
// A ribbon less than a pixel wide on screen (seen end-on or from far) is one line from its
// base's middle to its top's: the rasteriser's cost a triangle is far above a line's.
std::vector<float> thinVertices;
std::vector<float> thinColours;
// Each drawn ribbon's corners (base start, base end, top end, top start), for picking.
std::vector<float> drawnCorners;
std::vector<int32_t> drawnRibbon;
float lastMatrix[16];
int lastViewport[4];
bool clipStale = true;

// x as the matrix takes it: from the camera's origin, so that far along a genome a float
// still tells the pairs apart.
float fromOrigin(double x) { return static_cast<float>(x - camera.originX); }

uint32_t endRevision = 0;
bool haveEnd = false;
int64_t farthestEnd = 0;

// The farthest copy's end over every pair, made again when the bars move.
int64_t farthestCopyEnd() {
  if (haveEnd && endRevision == barsRevision()) return farthestEnd;
  int64_t end = 0;
  for (int32_t slot = 1; slot + 1 < barSlotEnd(); slot += 2) {
    int32_t pair = pairOfSlot(slot);
    int64_t len = barBases(slot);
    int32_t difference = pairDifferenceOf(pair);
    end = std::max(end, barPosition(slot) + firstCopyLength(len, difference));
    end = std::max(end, barPartner(slot) + partnerCopyLength(len, difference));
  }
  farthestEnd = end;
  endRevision = barsRevision();
  haveEnd = true;
  return end;
}

void ribbonColour(const ViewState& view, int32_t slot, float out[3]) {
  BarColour own = barColour(slot);
  if (view.look.pointStyle) {
    out[0] = own.r, out[1] = own.g, out[2] = own.b;
  } else {
    out[0] = 0.0f, out[1] = 0.0f, out[2] = own.r;
  }
  if (view.look.colourMode != kColourOfPass) pairColour(view.look.colourMode, slot, out);
}

// The shown pairs, or where they crowd the longest of each grid cell their segment starts in.
void selectRibbons(const ViewState& view, const ShownSlots& shown) {
  std::vector<int32_t> firsts;
  for (int32_t k = 0; k < shown.count; ++k)
    if (shown.slots[k] % 2 == 1 && shown.slots[k] + 1 < barSlotEnd()) firsts.push_back(shown.slots[k]);
  shownPairs = static_cast<int32_t>(firsts.size());
  if (shownPairs > kDotPlotAllPairs) {
    double side = dotPlotSide(view.zoomSteps);
    double perCell = side > 0 ? kDotPlotCells / side : 0.0;
    std::vector<int32_t> best(static_cast<size_t>(kDotPlotCells) * kDotPlotCells, 0);
    auto cellOf = [&](double v) {
      return static_cast<size_t>(std::clamp(static_cast<int64_t>(v * perCell), int64_t{0}, int64_t{kDotPlotCells - 1}));
    };
    for (int32_t slot : firsts) {
      DotSegment at = dotSegmentOf(slot, view.zoomSteps);
      int32_t& kept = best[cellOf(std::min(at.y0, at.y1)) * kDotPlotCells + cellOf(at.x0)];
      if (kept == 0 || barLength(slot) > barLength(kept)) kept = slot;
    }
    firsts.clear();
    for (int32_t slot : best)
      if (slot != 0) firsts.push_back(slot);
    std::sort(firsts.begin(), firsts.end());
  }
  ribbons.clear();
  segmentPoints.clear();
  segmentColours.clear();
  segmentIndices.clear();
  for (int32_t slot : firsts) {
    Ribbon ribbon;
    ribbon.slot = slot;
    ribbon.at = dotSegmentOf(slot, view.zoomSteps);
    ribbon.height = barHeight(view, barLength(slot));
    ribbonColour(view, slot, ribbon.colour);
    ribbons.push_back(ribbon);
    const float ends[2][3] = {{fromOrigin(ribbon.at.x0), static_cast<float>(ribbon.at.y0), kLift},
                              {fromOrigin(ribbon.at.x1), static_cast<float>(ribbon.at.y1), kLift}};
    for (const auto& end : ends) {
      segmentIndices.push_back(static_cast<uint32_t>(segmentPoints.size() / 3));
      segmentPoints.insert(segmentPoints.end(), end, end + 3);
      for (float c : ribbon.colour)
        segmentColours.push_back(static_cast<uint8_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f)));
    }
  }
}

void clipOf(const float m[16], float x, float y, float z, float* out) {
  for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

// A ground point (x from 0, not from the origin) through the matrix.
void clipOfPlot(const float m[16], double x, double y, float z, float* out) {
  clipOf(m, fromOrigin(x), static_cast<float>(y), z, out);
}

// Beyond one side of the view volume, widened by margin, with every corner.
bool allOutside(const float corners[4][4], float wide) {
  for (int axis = 0; axis < 3; ++axis)
    for (float sign : {-1.0f, 1.0f}) {
      bool out = true;
      for (int c = 0; c < 4 && out; ++c) out = sign * corners[c][axis] > corners[c][3] * (axis == 2 ? 1.0f : wide);
      if (out) return true;
    }
  return false;
}

// Twice the area the quad covers on screen, in pixels.
float screenArea2(const float c[4][4], float halfW, float halfH) {
  float p[4][2];
  for (int k = 0; k < 4; ++k) {
    if (!(c[k][3] > 0.0f)) return HUGE_VALF;  // reaches behind the eye: drawn whole
    p[k][0] = c[k][0] / c[k][3] * halfW;
    p[k][1] = c[k][1] / c[k][3] * halfH;
  }
  float ax = p[2][0] - p[0][0], ay = p[2][1] - p[0][1], bx = p[3][0] - p[1][0], by = p[3][1] - p[1][1];
  return std::fabs(ax * by - ay * bx);
}

void fillClipArrays(const float m[16], double margin, const int viewport[4]) {
  ribbonVertices.clear();
  ribbonColours.clear();
  thinVertices.clear();
  thinColours.clear();
  drawnCorners.clear();
  drawnRibbon.clear();
  float halfW = 0.5f * static_cast<float>(viewport[2]), halfH = 0.5f * static_cast<float>(viewport[3]);
  float wide = static_cast<float>(1.0 + margin);
  for (size_t i = 0; i < ribbons.size(); ++i) {
    const Ribbon& r = ribbons[i];
    // base start, base end, top end, top start
    float c[4][4];
    clipOfPlot(m, r.at.x0, r.at.y0, 0.0f, c[0]);
    clipOfPlot(m, r.at.x1, r.at.y1, 0.0f, c[1]);
    clipOfPlot(m, r.at.x1, r.at.y1, r.height, c[2]);
    clipOfPlot(m, r.at.x0, r.at.y0, r.height, c[3]);
    if (allOutside(c, wide)) continue;
    if (screenArea2(c, halfW, halfH) < 2.0f) {
      for (int end : {0, 2}) {
        const float* a = c[end];
        const float* b = c[end == 0 ? 1 : 3];
        for (int k = 0; k < 4; ++k) thinVertices.push_back(0.5f * (a[k] + b[k]));
        thinColours.insert(thinColours.end(), r.colour, r.colour + 3);
      }
    } else {
      for (int corner : {0, 1, 2, 2, 3, 0}) {
        ribbonVertices.insert(ribbonVertices.end(), c[corner], c[corner] + 4);
        ribbonColours.insert(ribbonColours.end(), r.colour, r.colour + 3);
      }
    }
    for (const auto& corner : c) drawnCorners.insert(drawnCorners.end(), corner, corner + 4);
    drawnRibbon.push_back(static_cast<int32_t>(i));
  }
}

// Seen flat from straight above, each segment as a bar a few pixels wide with square ends,
// so that a pair a pixel long still shows as a dot, in the picture and in the SVG alike.
void addFlatSegments(DrawList& list) {
  float half = 0.5f * (list.lineWidth + 2.0f);
  // Pixels per world unit across and up.
  float sx = std::fabs(list.matrix[0]) * 0.5f * static_cast<float>(list.width);
  float sy = std::fabs(list.matrix[5]) * 0.5f * static_cast<float>(list.height);
  if (!(sx > 0) || !(sy > 0)) return;
  beginDrawItem(list, DrawKind::quads, DrawSpace::world);
  for (const Ribbon& r : ribbons) {
    float x0 = fromOrigin(r.at.x0), x1 = fromOrigin(r.at.x1);
    float y0 = static_cast<float>(r.at.y0), y1 = static_cast<float>(r.at.y1);
    float dx = (x1 - x0) * sx, dy = (y1 - y0) * sy;
    float length = std::hypot(dx, dy);
    float ux = length > 0 ? dx / length : 1.0f, uy = length > 0 ? dy / length : 0.0f;
    // Along the segment and across it, half a width each, in world units.
    float ax = ux * half / sx, ay = uy * half / sy, nx = -uy * half / sx, ny = ux * half / sy;
    const float rgba[4] = {r.colour[0], r.colour[1], r.colour[2], 1.0f};
    addVertex(list, x0 - ax + nx, y0 - ay + ny, kLift, rgba);
    addVertex(list, x0 - ax - nx, y0 - ay - ny, kLift, rgba);
    addVertex(list, x1 + ax - nx, y1 + ay - ny, kLift, rgba);
    addVertex(list, x1 + ax + nx, y1 + ay + ny, kLift, rgba);
  }
}

void addRibbons(DrawList& list, const ViewState& view, bool flat) {
  ShownSlots shown = shownSlots(view);
  bool heightsChanged = view.look.logHeights != madeForLog || view.look.heightBases != madeForHeightBases;
  if (!haveRibbons || shown.generation != madeForGeneration || heightsChanged || view.zoomSteps != madeForZoom ||
      view.look.colourMode != madeForColour || view.look.pointStyle != madeForPoints ||
      camera.originX != madeForOrigin) {
    selectRibbons(view, shown);
    haveRibbons = true;
    madeForGeneration = shown.generation;
    madeForLog = view.look.logHeights;
    madeForHeightBases = view.look.heightBases;
    madeForZoom = view.zoomSteps;
    madeForColour = view.look.colourMode;
    madeForPoints = view.look.pointStyle;
    madeForOrigin = camera.originX;
    clipStale = true;
  }
  // Seen flat from above a ribbon is its segment: only the segments are drawn.
  if (!flat) {
    if (clipStale || std::memcmp(list.matrix, lastMatrix, sizeof lastMatrix) != 0 ||
        std::memcmp(list.viewport, lastViewport, sizeof lastViewport) != 0) {
      int shorter = std::min(list.viewport[2], list.viewport[3]);
      fillClipArrays(list.matrix, shorter > 0 ? 8.0 / shorter : 1.0, list.viewport);
      std::memcpy(lastMatrix, list.matrix, sizeof lastMatrix);
      std::memcpy(lastViewport, list.viewport, sizeof lastViewport);
      clipStale = false;
    }
    DrawItem& item = beginDrawItem(list, DrawKind::triangles, DrawSpace::clip);
    item.clipVertices = reinterpret_cast<const float(*)[4]>(ribbonVertices.data());
    item.clipColours = reinterpret_cast<const float(*)[3]>(ribbonColours.data());
    item.count = static_cast<int32_t>(ribbonVertices.size() / 4);
    DrawItem& thin = beginDrawItem(list, DrawKind::lines, DrawSpace::clip);
    thin.clipVertices = reinterpret_cast<const float(*)[4]>(thinVertices.data());
    thin.clipColours = reinterpret_cast<const float(*)[3]>(thinColours.data());
    thin.count = static_cast<int32_t>(thinVertices.size() / 4);
  } else {
    drawnRibbon.clear();
  }
  if (flat) {
    addFlatSegments(list);
    return;
  }
  DrawItem& segments = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  segments.points = reinterpret_cast<const float(*)[3]>(segmentPoints.data());
  segments.pointColours = reinterpret_cast<const uint8_t(*)[3]>(segmentColours.data());
  segments.indices = segmentIndices.data();
  segments.count = static_cast<int32_t>(segmentIndices.size());
}

void addGrid(DrawList& list, const ViewState& view, double side) {
  const SequenceAxis& axis = loadedSequences();
  beginDrawItem(list, DrawKind::lines, DrawSpace::world).size = 1.0f;  // thin under the pairs, in a figure too
  auto rule = [&](double at) {
    addVertex(list, fromOrigin(at), 0.0f, kLift, kGridColour);
    addVertex(list, fromOrigin(at), static_cast<float>(side), kLift, kGridColour);
    addVertex(list, fromOrigin(0.0), static_cast<float>(at), kLift, kGridColour);
    addVertex(list, fromOrigin(side), static_cast<float>(at), kLift, kGridColour);
  };
  rule(0.0);
  rule(side);
  if (axis.sequences.size() > kMostRuled) return;
  for (const AxisSequence& sequence : axis.sequences)
    if (sequence.offset > 0) rule(xOfPosition(static_cast<double>(sequence.offset), view.zoomSteps));
}

// Each sequence's name under the x axis and left of the y axis, at its middle, where it
// lies in front of the camera and clear of the name before.
void addNames(DrawList& list, const ViewState& view, double side) {
  const SequenceAxis& axis = loadedSequences();
  if (axis.sequences.empty() || axis.sequences.size() > kMostRuled || list.width <= 0 || list.height <= 0) return;
  double gap = 0.02 * side;
  for (int along = 0; along < 2; ++along) {
    float lastRight = -1e30f, lastBottom = -1e30f;
    for (const AxisSequence& sequence : axis.sequences) {
      double mid = xOfPosition(static_cast<double>(sequence.offset) + 0.5 * static_cast<double>(sequence.length), view.zoomSteps);
      float c[4];
      if (along == 0)
        clipOfPlot(list.matrix, mid, -gap, 0.0f, c);
      else
        clipOfPlot(list.matrix, -gap, mid, 0.0f, c);
      if (!(c[3] > 0.0f)) continue;
      float px = (c[0] / c[3] + 1.0f) * 0.5f * static_cast<float>(list.width);
      float py = (1.0f - c[1] / c[3]) * 0.5f * static_cast<float>(list.height);
      float width = static_cast<float>(measureText(sequence.name.c_str(), kNameSize));
      float left = px - 0.5f * width, top = py - 0.5f * kNameSize;
      if (left < 0 || top < 0 || left + width > static_cast<float>(list.width) ||
          top + kNameSize > static_cast<float>(list.height))
        continue;
      // Names of neighbouring sequences that would overlap: the later one is left out.
      if (left < lastRight && top < lastBottom + kNameSize && top + kNameSize > lastBottom) continue;
      addDrawText(list, DrawSpace::overlay, left, top, kNameSize, TextAnchor::start, kNameColour, sequence.name);
      lastRight = left + width;
      lastBottom = top;
    }
  }
}

}  // namespace

DotSegment dotSegmentOf(int32_t slot, int32_t zoomSteps) {
  int32_t first = slot % 2 == 1 ? slot : slot - 1;
  int32_t pair = pairOfSlot(first);
  int64_t len = barBases(first);
  int32_t difference = pairDifferenceOf(pair);
  double a = static_cast<double>(barPosition(first)), b = static_cast<double>(barPartner(first));
  DotSegment at;
  at.x0 = xOfPosition(a, zoomSteps);
  at.x1 = xOfPosition(a + static_cast<double>(firstCopyLength(len, difference)), zoomSteps);
  at.y0 = xOfPosition(b, zoomSteps);
  at.y1 = xOfPosition(b + static_cast<double>(partnerCopyLength(len, difference)), zoomSteps);
  if (pairOrientationOf(pair) == kInverted) std::swap(at.y0, at.y1);
  return at;
}

double dotPlotSide(int32_t zoomSteps) {
  const SequenceAxis& axis = loadedSequences();
  int64_t end = farthestCopyEnd();
  if (!axis.sequences.empty()) end = std::max(end, axis.sequences.back().offset + axis.sequences.back().length);
  return xOfPosition(static_cast<double>(end), zoomSteps);
}

void addDotPlot(DrawList& list, const ViewState& view, bool flat) {
  double side = dotPlotSide(view.zoomSteps);
  addRibbons(list, view, flat);
  addGrid(list, view, side);
  if (!flat) addNames(list, view, side);
  if (!view.look.showFloor) return;
  DrawItem& floor = beginDrawItem(list, DrawKind::quads, DrawSpace::world);
  floor.ground = true;
  float top = static_cast<float>(side);
  addVertex(list, fromOrigin(0.0), 0.0f, 0.0f, kPlotFloor);
  addVertex(list, fromOrigin(side), 0.0f, 0.0f, kPlotFloor);
  addVertex(list, fromOrigin(side), top, 0.0f, kPlotFloor);
  addVertex(list, fromOrigin(0.0), top, 0.0f, kPlotFloor);
}

void addPickedSegment(DrawList& list, const ViewState& view, int32_t slot) {
  if (slot < 1 || slot >= barSlotEnd()) return;
  int32_t first = slot % 2 == 1 ? slot : slot - 1;
  if (first + 1 >= barSlotEnd()) return;
  DotSegment at = dotSegmentOf(first, view.zoomSteps);
  float height = barHeight(view, barLength(first));
  DrawItem& outline = beginDrawItem(list, DrawKind::lineStrip, DrawSpace::world);
  outline.onTop = true;
  outline.size = 3.0f;
  float x0 = fromOrigin(at.x0), x1 = fromOrigin(at.x1);
  float y0 = static_cast<float>(at.y0), y1 = static_cast<float>(at.y1);
  addVertex(list, x0, y0, 0.0f, kPickColour);
  addVertex(list, x1, y1, 0.0f, kPickColour);
  addVertex(list, x1, y1, height, kPickColour);
  addVertex(list, x0, y0, height, kPickColour);
  addVertex(list, x0, y0, 0.0f, kPickColour);
}

int32_t pickDotPlotPair(double column, double row, double radius) {
  if (drawnRibbon.empty() || lastViewport[2] <= 0 || lastViewport[3] <= 0) return 0;
  int32_t best = 0;
  double bestDepth = 0, bestPixels = 0;
  for (size_t d = 0; d < drawnRibbon.size(); ++d) {
    const float* v = drawnCorners.data() + d * 16;
    // The ribbon's four edges: base, top and both ends.
    const float* edges[4][2] = {{v, v + 4}, {v + 8, v + 12}, {v, v + 12}, {v + 4, v + 8}};
    for (const auto& edge : edges) {
      double pixels = 0, depth = 0;
      if (!nearSegmentOnScreen(edge[0], edge[1], column, row, lastViewport[2], lastViewport[3], radius, pixels, depth))
        continue;
      if (best == 0 || depth < bestDepth || (depth == bestDepth && pixels < bestPixels)) {
        best = ribbons[static_cast<size_t>(drawnRibbon[d])].slot;
        bestDepth = depth;
        bestPixels = pixels;
      }
    }
  }
  return best;
}
