#include "bar_height.h"

#include "bar_records.h"

double basesAtFullHeight(const ViewState& view) {
  return view.look.heightBases > 0 ? view.look.heightBases : barsMaxLen();
}

float barHeight(const ViewState& view, float len) {
  return heightOfScaled(len, basesAtFullHeight(view), view.look.logHeights);
}

double heightOfBases(const ViewState& view, double bases) {
  return heightOfLength(bases, basesAtFullHeight(view), view.look.logHeights);
}
