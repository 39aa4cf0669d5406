#include "pair_links.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "camera_transform.h"
#include "gl.h"
#include "pair_colours.h"
#include "pair_shown.h"
#include "pair_traits.h"
#include "record_table.h"
#include "view_volume.h"

namespace {

constexpr int kSegments = 8;
constexpr int kArcPoints = kSegments + 1;

float arcVertices[kTablePairs * kArcPoints][3];
uint8_t arcColours[kTablePairs * kArcPoints][3];
float arcBoxes[kTablePairs][2][3];  // each arc's bounding box, to leave out what cannot be seen
int32_t arcCount = 0;
// The segments of the arcs that may be seen from the last matrix.
uint32_t drawIndices[kTablePairs * kSegments * 2];
int32_t drawIndexCount = 0;
float cullMatrix[16];
bool cullValid = false;

// What the arcs were built for: the shown list and the colours.
uint64_t builtGeneration = 0;
int32_t builtColourMode = 0;
bool built = false;

// Both bars of a pair share the shown rule: an arc for each shown first bar.
void buildArcs(const ViewState& view, const ShownSlots& shown) {
  arcCount = 0;
  const double pi = 3.14159265358979323846;
  for (int32_t k = 0; k < shown.count; ++k) {
    int32_t slot = shown.slots[k];
    if (slot % 2 == 0 || slot + 1 >= recordTable.count) continue;
    const TandemRecord& a = recordTable.slots[slot];
    const TandemRecord& b = recordTable.slots[slot + 1];
    float colour[3];
    if (view.colourMode == kColourByIdentity)
      identityColour(pairTraits.identity[pairOfSlot(slot)], colour);
    else
      orientationColour(pairTraits.orientation[pairOfSlot(slot)], colour);
    uint8_t rgb[3];
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(colour[c] * 255.0f + 0.5f);
    double span = std::fabs(static_cast<double>(b.x) - a.x);
    double bulge = 0.05 + 0.75 * (1.0 - std::exp(-span));
    uint32_t first = static_cast<uint32_t>(arcCount * kArcPoints);
    for (int i = 0; i < kArcPoints; ++i) {
      double t = static_cast<double>(i) / kSegments;
      float* v = arcVertices[first + static_cast<uint32_t>(i)];
      v[0] = static_cast<float>(a.x + (b.x - a.x) * t);
      v[1] = static_cast<float>(-bulge * std::sin(pi * t));
      v[2] = 0.0f;
      for (int c = 0; c < 3; ++c) arcColours[first + static_cast<uint32_t>(i)][c] = rgb[c];
    }
    float (&box)[2][3] = arcBoxes[arcCount];
    box[0][0] = a.x < b.x ? a.x : b.x;
    box[1][0] = a.x < b.x ? b.x : a.x;
    box[0][1] = static_cast<float>(-bulge);
    box[1][1] = 0.0f;
    box[0][2] = box[1][2] = 0.0f;
    ++arcCount;
  }
  cullValid = false;
}

void cullArcs(const float matrix[16]) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = matrix[i];
  ViewVolume volume = viewVolumeFromMatrix(m, 0.01);
  drawIndexCount = 0;
  for (int32_t arc = 0; arc < arcCount; ++arc) {
    if (!boxMayBeVisible(volume, arcBoxes[arc][0], arcBoxes[arc][1])) continue;
    uint32_t first = static_cast<uint32_t>(arc * kArcPoints);
    uint32_t* index = drawIndices + drawIndexCount;
    for (uint32_t i = 0; i < kSegments; ++i) {
      index[2 * i] = first + i;
      index[2 * i + 1] = first + i + 1;
    }
    drawIndexCount += kSegments * 2;
  }
  std::memcpy(cullMatrix, matrix, sizeof cullMatrix);
  cullValid = true;
}

}  // namespace

void drawPairLinks(const ViewState& view) {
  ShownSlots shown = shownSlots(view);
  if (!built || shown.generation != builtGeneration || view.colourMode != builtColourMode) {
    buildArcs(view, shown);
    builtGeneration = shown.generation;
    builtColourMode = view.colourMode;
    built = true;
  }
  if (arcCount == 0) return;
  glPushMatrix();
  applyCameraTransform();
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  if (!cullValid || std::memcmp(matrix, cullMatrix, sizeof matrix) != 0) cullArcs(matrix);
  if (drawIndexCount == 0) {
    glPopMatrix();
    return;
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, arcVertices);
  glColorPointer(3, GL_UNSIGNED_BYTE, 0, arcColours);
  glDrawElements(GL_LINES, drawIndexCount, GL_UNSIGNED_INT, drawIndices);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}
