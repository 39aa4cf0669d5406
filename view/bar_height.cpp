#include "bar_height.h"

#include "record_table.h"

double basesAtFullHeight(const ViewState& view) {
  return view.heightBases > 0 ? view.heightBases : recordTable.maxLen;
}

float barHeight(const ViewState& view, float len) {
  return heightOfScaled(len, basesAtFullHeight(view), view.logHeights);
}

double heightOfBases(const ViewState& view, double bases) {
  return heightOfLength(bases, basesAtFullHeight(view), view.logHeights);
}

double basesOfHeight(const ViewState& view, double height) {
  return lengthOfHeight(height, basesAtFullHeight(view), view.logHeights);
}
