#include "pair_links.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "bar_batch.h"
#include "camera.h"
#include "draw_replay.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "bar_records.h"
#include "pyramid_bars.h"
#include "view_volume.h"

namespace {

constexpr int kSegments = 8;
constexpr int kArcPoints = kSegments + 1;

// Sized for the most arcs built so far: every shown pair may have one.
int32_t arcRoom = 0;
std::unique_ptr<float[][3]> arcVertices;
std::unique_ptr<uint8_t[][3]> arcColours;
std::unique_ptr<float[][2][3]> arcBoxes;  // each arc's bounding box, to leave out what cannot be seen
int32_t arcCount = 0;
// The segments of the arcs that may be seen from the last matrix and viewport, as many of
// each as its size on screen needs.
// Only their points are handed to the GL, which transforms every vertex of the range an
// index list spans.
std::unique_ptr<float[][3]> drawVertices;
std::unique_ptr<uint8_t[][3]> drawColours;
std::unique_ptr<uint32_t[]> drawIndices;
int32_t drawIndexCount = 0;
// In a side view, arcs wider than a few pixels: the part in sight, cut fine enough to stay
// round however far off the other end lies (8 segments show as corners in a figure).
std::vector<float> fineVertices;
std::vector<uint8_t> fineColours;
std::vector<uint32_t> fineIndices;
float cullMatrix[16];
int cullViewport[4];
bool cullValid = false;

// What the arcs were built for: the shown list, the colours and the camera's origin, from
// which their x counts.
uint64_t builtGeneration = 0;
int32_t builtColourMode = 0;
double builtOriginX = 0;
bool built = false;

// Both bars of a pair share the shown rule: an arc for each shown first bar.
void buildArcs(const ViewState& view, const ShownSlots& shown) {
  arcCount = 0;
  builtOriginX = camera.originX;
  if (shown.count > arcRoom) {
    arcRoom = shown.count;
    size_t arcs = static_cast<size_t>(arcRoom);
    arcVertices.reset(new float[arcs * kArcPoints][3]);
    arcColours.reset(new uint8_t[arcs * kArcPoints][3]);
    arcBoxes.reset(new float[arcs][2][3]);
    drawVertices.reset(new float[arcs * kArcPoints][3]);
    drawColours.reset(new uint8_t[arcs * kArcPoints][3]);
    drawIndices.reset(new uint32_t[arcs * kSegments * 2]);
  }
  const double pi = 3.14159265358979323846;
  for (int32_t k = 0; k < shown.count; ++k) {
    int32_t slot = shown.slots[k];
    if (slot % 2 == 0 || slot + 1 >= barSlotEnd()) continue;
    // From the origin the arcs were built for.
    float ax = static_cast<float>(barX(slot) - builtOriginX), bx = static_cast<float>(barX(slot + 1) - builtOriginX);
    float colour[3];
    if (view.look.colourMode == kColourByIdentity)
      identityColour(pairIdentityOf(pairOfSlot(slot)), colour);
    else
      orientationColour(pairOrientationOf(pairOfSlot(slot)), colour);
    uint8_t rgb[3];
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(colour[c] * 255.0f + 0.5f);
    double span = std::fabs(static_cast<double>(bx) - ax);
    double bulge = 0.05 + 0.75 * (1.0 - std::exp(-span));
    uint32_t first = static_cast<uint32_t>(arcCount * kArcPoints);
    for (int i = 0; i < kArcPoints; ++i) {
      double t = static_cast<double>(i) / kSegments;
      float* v = arcVertices[first + static_cast<uint32_t>(i)];
      v[0] = static_cast<float>(ax + (bx - ax) * t);
      v[1] = static_cast<float>(-bulge * std::sin(pi * t));
      v[2] = 0.0f;
      for (int c = 0; c < 3; ++c) arcColours[first + static_cast<uint32_t>(i)][c] = rgb[c];
    }
    float (&box)[2][3] = arcBoxes[arcCount];
    box[0][0] = ax < bx ? ax : bx;
    box[1][0] = ax < bx ? bx : ax;
    box[0][1] = static_cast<float>(-bulge);
    box[1][1] = 0.0f;
    box[0][2] = box[1][2] = 0.0f;
    ++arcCount;
  }
  cullValid = false;
}

// An arc's point under the matrix, in pixels from the picture's centre; false when it lies
// at or behind the eye, where its projection is unbounded.
bool onScreen(const float m[16], const float* v, float halfWidth, float halfHeight, float& x, float& y) {
  float clip[4];
  for (int r = 0; r < 4; ++r) clip[r] = m[r] * v[0] + m[4 + r] * v[1] + m[12 + r];  // v[2] is 0
  if (!(clip[3] > 1e-3f)) return false;
  x = clip[0] / clip[3] * halfWidth;
  y = clip[1] / clip[3] * halfHeight;
  return true;
}

// What an arc puts on screen, to within a pixel: the pixels of the points drawn, its colour
// and its segments, as two independent 64-bit fingerprints. Two arcs alike in all of it
// draw the same pixels (give or take where a line crosses between them), so only the
// first is drawn: far off, thousands of arcs fall on one another.
struct Fingerprint {
  uint64_t a, b;
};

constexpr int kSeenBits = 19;
constexpr uint32_t kSeenSlots = 1u << kSeenBits;
Fingerprint seenArcs[kSeenSlots];
uint32_t seenStamp[kSeenSlots];
uint32_t stamp = 0;

void mix(Fingerprint& f, uint64_t value) {
  f.a = (f.a ^ value) * 0x9E3779B97F4A7C15ull;
  f.b = (f.b + value) * 0xC2B2AE3D27D4EB4Full;
  f.b ^= f.b >> 29;
}

// False when an arc alike was drawn already since the stamp last moved; else notes it.
bool firstOfItsPixels(const Fingerprint& arc) {
  uint32_t slot = static_cast<uint32_t>(arc.a >> (64 - kSeenBits));
  for (uint32_t probe = 0; probe < kSeenSlots; ++probe, slot = (slot + 1) & (kSeenSlots - 1)) {
    if (seenStamp[slot] != stamp) {
      seenStamp[slot] = stamp;
      seenArcs[slot] = arc;
      return true;
    }
    if (seenArcs[slot].a == arc.a && seenArcs[slot].b == arc.b) return false;
  }
  return true;  // a full table: draw it
}

// Of the arc's 8 segments, how many to draw (8, 4, 2 or 1, every point kept an even step
// apart) so that the polyline stays within about half a pixel of the 8-segment arc, from
// how far its middle stands off the chord on screen. 0 when it adds nothing: the whole arc
// within one pixel, a dot lost among the bars, or an arc falling on the same pixels as one
// drawn before it in the same colour. A polyline of n over half a sine of height h strays
// up to h (1 - cos(pi / 2n)) from it.
int segmentsOnScreen(const float m[16], uint32_t first, float halfWidth, float halfHeight) {
  const float (*points)[3] = arcVertices.get() + first;
  float x[kArcPoints], y[kArcPoints];
  for (int i = 0; i <= kSegments; i += kSegments / 2)
    if (!onScreen(m, points[i], halfWidth, halfHeight, x[i], y[i])) return kSegments;
  constexpr int kMid = kSegments / 2;
  float low = std::fmin(std::fmin(x[0], x[kSegments]), x[kMid]);
  float high = std::fmax(std::fmax(x[0], x[kSegments]), x[kMid]);
  float bottom = std::fmin(std::fmin(y[0], y[kSegments]), y[kMid]);
  float top = std::fmax(std::fmax(y[0], y[kSegments]), y[kMid]);
  if (high - low < 1.0f && top - bottom < 1.0f) return 0;
  float dx = x[kMid] - (x[0] + x[kSegments]) * 0.5f, dy = y[kMid] - (y[0] + y[kSegments]) * 0.5f;
  float off2 = dx * dx + dy * dy;
  int segments = off2 <= 0.5f * 0.5f   ? 1   // h (1 - cos(pi / 2)) = h
                 : off2 <= 1.7f * 1.7f ? 2   // 0.29 h
                 : off2 <= 6.5f * 6.5f ? 4   // 0.076 h
                                       : kSegments;
  int stride = kSegments / segments;
  Fingerprint print{0x243F6A8885A308D3ull, 0x13198A2E03707344ull};
  for (int i = 0; i <= kSegments; i += stride) {
    if (i % kMid != 0 && !onScreen(m, points[i], halfWidth, halfHeight, x[i], y[i])) return segments;
    uint32_t column = static_cast<uint32_t>(static_cast<int32_t>(std::floor(x[i])));
    uint32_t row = static_cast<uint32_t>(static_cast<int32_t>(std::floor(y[i])));
    mix(print, (static_cast<uint64_t>(column) << 32) | row);
  }
  const uint8_t* rgb = arcColours[first];
  mix(print, (static_cast<uint64_t>(rgb[0]) << 16 | static_cast<uint64_t>(rgb[1]) << 8 | rgb[2]) << 8 |
                 static_cast<uint64_t>(segments));
  return firstOfItsPixels(print) ? segments : 0;
}

// An arc of an upright side view: its part in sight, in as many segments as keep the
// polyline within a quarter pixel of the arc (a stretch dt of the half sine of height H
// pixels strays about H (pi dt)^2 / 8 from its chord). The view is orthographic, so x on
// screen runs linearly with t. False when 8 segments do for the whole arc, both ends in
// sight, or the fine points reach their bound: it is drawn as usual.
constexpr size_t kMostFinePoints = 1u << 20;

bool addFineArc(const float m[16], uint32_t first, float halfWidth, float halfHeight) {
  const float* a = arcVertices[first];
  const float* b = arcVertices[first + kSegments];
  float ax = 0, ay = 0, bx = 0, by = 0, mx = 0, my = 0;
  if (!onScreen(m, a, halfWidth, halfHeight, ax, ay) || !onScreen(m, b, halfWidth, halfHeight, bx, by) ||
      !onScreen(m, arcVertices[first + kSegments / 2], halfWidth, halfHeight, mx, my))
    return false;
  const double pi = 3.14159265358979323846;
  double perT = pi * std::sqrt(std::fabs(my - ay) / 2.0);  // segments per unit of t
  bool endsInSight = std::fabs(ax) <= halfWidth && std::fabs(bx) <= halfWidth;
  if ((endsInSight && perT <= kSegments) || !(std::fabs(bx - ax) > 0) || fineVertices.size() / 3 > kMostFinePoints)
    return false;
  double t0 = (-halfWidth - ax) / static_cast<double>(bx - ax), t1 = (halfWidth - ax) / static_cast<double>(bx - ax);
  double lo = std::max(0.0, std::min(t0, t1)), hi = std::min(1.0, std::max(t0, t1));
  if (!(lo < hi)) return true;
  int segments = static_cast<int>(std::min(1024.0, std::max(1.0, std::ceil(perT * (hi - lo)))));
  double bulge = -arcVertices[first + kSegments / 2][1];
  uint32_t base = static_cast<uint32_t>(fineVertices.size() / 3);
  for (int i = 0; i <= segments; ++i) {
    double t = lo + (hi - lo) * i / segments;
    fineVertices.push_back(static_cast<float>(a[0] + (b[0] - a[0]) * t));
    fineVertices.push_back(static_cast<float>(-bulge * std::sin(pi * t)));
    fineVertices.push_back(0.0f);
    fineColours.insert(fineColours.end(), arcColours[first], arcColours[first] + 3);
    if (i > 0) {
      fineIndices.push_back(base + static_cast<uint32_t>(i) - 1);
      fineIndices.push_back(base + static_cast<uint32_t>(i));
    }
  }
  return true;
}

void cullArcs(const float matrix[16], const int viewport[4], bool upright) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = matrix[i];
  ViewVolume volume = viewVolumeFromMatrix(m, 0.01);
  float halfWidth = static_cast<float>(viewport[2]) * 0.5f, halfHeight = static_cast<float>(viewport[3]) * 0.5f;
  if (++stamp == 0) {
    std::memset(seenStamp, 0, sizeof seenStamp);
    stamp = 1;
  }
  drawIndexCount = 0;
  fineVertices.clear();
  fineColours.clear();
  fineIndices.clear();
  uint32_t points = 0;
  for (int32_t arc = 0; arc < arcCount; ++arc) {
    if (!boxMayBeVisible(volume, arcBoxes[arc][0], arcBoxes[arc][1])) continue;
    uint32_t first = static_cast<uint32_t>(arc * kArcPoints);
    if (upright && addFineArc(matrix, first, halfWidth, halfHeight)) continue;
    int segments = segmentsOnScreen(matrix, first, halfWidth, halfHeight);
    if (segments == 0) continue;
    uint32_t stride = static_cast<uint32_t>(kSegments / segments);
    for (uint32_t i = 0; i <= static_cast<uint32_t>(segments); ++i) {
      std::memcpy(drawVertices[points + i], arcVertices[first + i * stride], sizeof drawVertices[0]);
      std::memcpy(drawColours[points + i], arcColours[first + i * stride], sizeof drawColours[0]);
    }
    uint32_t* index = drawIndices.get() + drawIndexCount;
    for (uint32_t i = 0; i < static_cast<uint32_t>(segments); ++i) {
      index[2 * i] = points + i;
      index[2 * i + 1] = points + i + 1;
    }
    points += static_cast<uint32_t>(segments) + 1;
    drawIndexCount += segments * 2;
  }
  std::memcpy(cullMatrix, matrix, sizeof cullMatrix);
  std::memcpy(cullViewport, viewport, sizeof cullViewport);
  cullValid = true;
}

}  // namespace

void addPairLinks(DrawList& list, const ViewState& view) {
  // Of millions of pairs, only those whose bars are drawn: the links follow the screen too.
  ShownSlots shown = barsThroughPyramid() ? drawnPairs() : shownSlots(view);
  if (!built || shown.generation != builtGeneration || view.look.colourMode != builtColourMode ||
      builtOriginX != camera.originX) {
    buildArcs(view, shown);
    builtGeneration = shown.generation;
    builtColourMode = view.look.colourMode;
    built = true;
  }
  if (arcCount == 0) return;
  DrawTurn turn;
  if (view.look.linkRise > 0) {
    // The ground arcs turned up about the axis (y into z), squeezed to the rise asked for:
    // the widest bulges 0.8 from the axis.
    turn.scaleZ = view.look.linkRise / 0.8f;
    turn.translateZ = view.look.linkFloor;
    turn.upright = true;
  }
  float matrix[16];
  turnedMatrix(turn, matrix);
  if (!cullValid || std::memcmp(matrix, cullMatrix, sizeof matrix) != 0 ||
      std::memcmp(list.viewport, cullViewport, sizeof cullViewport) != 0)
    cullArcs(matrix, list.viewport, turn.upright);
  if (!fineIndices.empty()) {
    DrawItem& fine = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
    fine.turn = turn;
    fine.points = reinterpret_cast<const float(*)[3]>(fineVertices.data());
    fine.pointColours = reinterpret_cast<const uint8_t(*)[3]>(fineColours.data());
    fine.indices = fineIndices.data();
    fine.count = static_cast<int32_t>(fineIndices.size());
  }
  if (drawIndexCount == 0) return;
  DrawItem& item = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  item.turn = turn;
  item.points = drawVertices.get();
  item.pointColours = drawColours.get();
  item.indices = drawIndices.get();
  item.count = drawIndexCount;
}
