// The one scale from the axis and the lengths to the world, and back: where a position
// stands along x after the zoom steps, how high a length stands when `full` bases stand
// kFullHeight (linear, or log10 so short repeats stay in sight beside long ones), and a base
// as a user types it (1-based) or as the axis holds it (0-based). No OpenGL and no state:
// the loader, the view, the tools and the figures all measure with it.
#pragma once

#include <cmath>
#include <cstdint>

#include "axis_units.h"

constexpr double kFullHeight = 7.0;  // the longest pair, or the length a picture scales to, stands this high

// How much the zoom steps have compressed the axis: kZoomFactor to the power zoomSteps.
inline double zoomScale(int32_t zoomSteps) { return std::pow(kZoomFactor, zoomSteps); }

// Axis positions per unit of x after zoomSteps (1 / kAxisScale is not exact in binary).
constexpr double kPositionsPerUnit = 100000.0;
static_assert(kAxisScale == 1.0 / kPositionsPerUnit, "the axis scale and its inverse disagree");
inline double positionsPerUnit(int32_t zoomSteps) { return kPositionsPerUnit / zoomScale(zoomSteps); }

// The x of an axis position (0-based) after zoomSteps, and the position at an x.
inline double xOfPosition(double position, int32_t zoomSteps) { return position / positionsPerUnit(zoomSteps); }
inline double positionOfX(double x, int32_t zoomSteps) { return x * positionsPerUnit(zoomSteps); }

// The x a record at this position holds after the load and zoomSteps steps, no slide made:
// the loader's float product, then one float product a step, so a mark meets its bar exactly.
inline float recordXOf(int64_t position, int32_t zoomSteps) {
  float x = static_cast<float>(static_cast<float>(position) * kAxisScale);
  for (int32_t i = 0; i < zoomSteps; ++i) x = static_cast<float>(x * kZoomFactor);
  return x;
}

// A length in bases as the loader scales it (kFullHeight for full bases), and back.
inline double scaledLength(double bases, double full) { return bases / (full / kFullHeight); }
inline double basesOfScaled(double scaled, double full) { return scaled * full / kFullHeight; }

// The drawn height of a length of `bases` when `full` bases stand kFullHeight, and back.
// On the log scale nothing of 1 base or less shows (height 0, read back as 1 base); with
// full of 1 base or less the log scale has no room and is linear. full of 0 or less: 0.
inline double heightOfLength(double bases, double full, bool logScale) {
  if (!(full > 0)) return 0;
  if (!logScale || !(full > 1.0)) return kFullHeight * bases / full;
  return bases > 1.0 ? kFullHeight * std::log10(bases) / std::log10(full) : 0.0;
}
inline double lengthOfHeight(double height, double full, bool logScale) {
  if (!(full > 0)) return 0;
  if (!logScale || !(full > 1.0)) return full * height / kFullHeight;
  return std::pow(10.0, height * std::log10(full) / kFullHeight);
}

// The drawn height of a loader-scaled length: the scaled length itself on the linear scale.
inline float heightOfScaled(float scaled, double full, bool logScale) {
  if (!logScale || !(full > 1.0)) return scaled;
  return static_cast<float>(heightOfLength(basesOfScaled(scaled, full), full, true));
}

// A base as typed (1-based, as --goto, --region, --window-start, the G prompt, NAME:POS and
// the click line count) and as the axis holds it (0-based).
constexpr int64_t axisOfTyped(int64_t typed) { return typed - 1; }
constexpr int64_t typedOfAxis(int64_t at) { return at + 1; }
