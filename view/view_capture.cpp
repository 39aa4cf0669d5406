#include "view_capture.h"

#include "record_places.h"
#include "view_options.h"
#include "view_region.h"

ViewOptions viewOptionsOf(const ViewState& view, const Camera& eye) {
  ViewOptions drawn;
  drawn.view = view;
  drawn.cameraGiven = true;
  drawn.camX = eye.camX;
  drawn.camY = eye.camY;
  drawn.pitch = eye.pitch;
  drawn.yaw = eye.yaw;
  drawn.altitude = eye.camZ;
  drawn.originX = eye.originX;
  // The moves hold the zoom steps made between them; without a slide the steps say it all.
  if (farPartSlid())
    drawn.moves = describeRecordMoves();
  else
    drawn.zoomSteps = view.zoomSteps;
  if (view.filter.regionStart >= 0) drawn.region = regionText(view.filter.regionStart, view.filter.regionEnd);
  if (view.annotations != nullptr && view.look.showLanes) drawn.annotations = viewLanesRead();
  // The picked bar and the cursor show only in the HUD.
  drawn.pickGiven = view.look.hud && view.input.pickedSlot != 0;
  drawn.cursorGiven = view.look.hud && view.input.hasCursor;
  return drawn;
}

std::string formatViewOptions(const ViewState& view, const Camera& eye) {
  std::string line;
  writeOptions(kViewOptionRows, viewOptionsOf(view, eye), line);
  return line.empty() ? line : line.substr(1);
}
