#include "window_mode.h"

#include <cmath>

#include "axis_units.h"
#include "bar_batch.h"
#include "record_table.h"

void addWindowBars(DrawList& list, const ViewState& view) {
  ViewState windowed = view;
  windowed.filter.windowMode = true;
  addBarBatch(list, windowed, false);
}

void addScaleBar(DrawList& list, const ViewState& view) {
  double scale = std::pow(kZoomFactor, view.zoomSteps);
  DrawItem& item = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  item.turn.translateX = static_cast<float>(view.filter.windowStart * kAxisScale * scale);
  addVertex(list, 0.0f, -0.1f, 0.0f, kScaleBarColour);
  addVertex(list, static_cast<float>(scale), -0.1f, 0.0f, kScaleBarColour);
}
