#include "window_mode.h"

#include "axis_scale.h"
#include "bar_batch.h"
#include "bar_records.h"
#include "camera.h"

namespace {

// The x where the window starts, as the original pass multiplied it: position by the load's
// scale, then by the zoom. xOfPosition divides instead, which differs in the double's last
// bit about every other time; no float is known to differ, but the bar must not move a pixel.
// Counted from the camera's origin.
float windowStartX(int32_t windowStart, int32_t zoomSteps) {
  return static_cast<float>(windowStart * kAxisScale * zoomScale(zoomSteps) - camera.originX);
}

}  // namespace

void addWindowBars(DrawList& list, const ViewState& view) {
  ViewState windowed = view;
  windowed.filter.windowMode = true;
  addBarBatch(list, windowed, false);
}

void addScaleBar(DrawList& list, const ViewState& view) {
  DrawItem& item = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  item.turn.translateX = windowStartX(view.filter.windowStart, view.zoomSteps);
  // One unit of the loaded axis long: the window's span at the current zoom.
  float length = static_cast<float>(zoomScale(view.zoomSteps));
  addVertex(list, 0.0f, -0.1f, 0.0f, kScaleBarColour);
  addVertex(list, length, -0.1f, 0.0f, kScaleBarColour);
}
