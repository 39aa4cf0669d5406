#include "bar_height.h"

#include <cmath>

#include "record_table.h"

double basesAtFullHeight(const ViewState& view) {
  return view.heightBases > 0 ? view.heightBases : recordTable.maxLen;
}

float barHeight(const ViewState& view, float len) {
  if (!view.logHeights) return len;
  double full = basesAtFullHeight(view);
  if (!(full > 1.0)) return len;
  double bases = static_cast<double>(len) * full / 7.0;
  if (!(bases > 1.0)) return 0.0f;
  return static_cast<float>(7.0 * std::log10(bases) / std::log10(full));
}

double heightOfBases(const ViewState& view, double bases) {
  double full = basesAtFullHeight(view);
  if (!(full > 0)) return 0;
  if (!view.logHeights || !(full > 1.0)) return 7.0 * bases / full;
  return bases > 1.0 ? 7.0 * std::log10(bases) / std::log10(full) : 0.0;
}
