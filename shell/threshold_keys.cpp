#include "threshold_keys.h"

#include <algorithm>

#include "axis_scale.h"
#include "pair_facts.h"
#include "bar_records.h"
#include "view_state_instance.h"

namespace {

// The longest pair's scaled length.
double longestScaled() { return barsMaxLen() > 0 ? kFullHeight : 0.0; }

// to, kept within [0, longest] unless from already lay outside on that side.
float bound(float from, double to) {
  double low = std::min(0.0, static_cast<double>(from));
  double high = std::max(longestScaled(), static_cast<double>(from));
  return static_cast<float>(std::clamp(to, low, high));
}

}  // namespace

void stepThreshold(double step, bool bounded) {
  float from = viewState.filter.threshold;
  double to = from + step;  // in double precision, stored float32, as the keypad always did
  viewState.filter.threshold = bounded ? bound(from, to) : static_cast<float>(to);
}

void scaleThreshold(double factor) {
  if (barsMaxLen() <= 0) return;
  double bases = basesOfNormalisedLength(viewState.filter.threshold);
  if (!(bases > 0)) bases = factor > 1 ? 0.5 : 0;
  viewState.filter.threshold = bound(viewState.filter.threshold, scaledLength(bases * factor, barsMaxLen()));
}
