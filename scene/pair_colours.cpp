#include "pair_colours.h"

#include "bar_records.h"

namespace {

void set(float out[3], float r, float g, float b) {
  out[0] = r;
  out[1] = g;
  out[2] = b;
}

}  // namespace

int32_t nextColourMode(int32_t colourMode) {
  if (colourMode == kColourOfPass) return kColourByOrientation;
  if (colourMode == kColourByOrientation && anyPairIdentity()) return kColourByIdentity;
  return kColourOfPass;
}

void orientationColour(uint8_t orientation, float out[3]) {
  if (orientation == kSameStrand)
    set(out, 0.0f, 0.447f, 0.698f);
  else if (orientation == kInverted)
    set(out, 0.835f, 0.369f, 0.0f);
  else
    set(out, 0.45f, 0.45f, 0.45f);
}

void identityColour(uint16_t identity, float out[3]) {
  if (identity == kIdentityUnknown) {
    set(out, 0.45f, 0.45f, 0.45f);
    return;
  }
  static const float stops[5][3] = {{0.267f, 0.005f, 0.329f}, {0.229f, 0.322f, 0.546f}, {0.128f, 0.567f, 0.551f},
                                    {0.369f, 0.789f, 0.383f}, {0.993f, 0.906f, 0.144f}};
  // Repeats are mostly above 70% identical; the gradient spends itself where they differ.
  float t = (static_cast<float>(identity) - 7000.0f) / 3000.0f;
  if (t < 0.0f) t = 0.0f;
  if (t > 1.0f) t = 1.0f;
  float at = t * 4.0f;
  int low = static_cast<int>(at);
  if (low > 3) low = 3;
  float f = at - static_cast<float>(low);
  for (int c = 0; c < 3; ++c) out[c] = stops[low][c] + (stops[low + 1][c] - stops[low][c]) * f;
}

bool pairColour(int32_t colourMode, int32_t slot, float out[3]) {
  int32_t pair = pairOfSlot(slot);
  if (colourMode == kColourByOrientation) {
    orientationColour(pairOrientationOf(pair), out);
    return true;
  }
  if (colourMode == kColourByIdentity) {
    identityColour(pairIdentityOf(pair), out);
    return true;
  }
  return false;
}
