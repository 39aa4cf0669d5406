#include "view_apply.h"

#include <cmath>
#include <string>

#include "annotation_place.h"
#include "bar_height.h"
#include "pair_shown.h"
#include "record_places.h"
#include "bar_records.h"
#include "sequence_axis.h"
#include "view_options.h"
#include "view_region.h"

float thresholdOfMinLength(int64_t minLength) {
  if (barsMaxLen() <= 0) return ViewFilter{}.threshold;
  // The loader's own scaling of a length, then the float just below it.
  float scaled = static_cast<float>(scaledLength(static_cast<float>(minLength), barsMaxLen()));
  return std::nextafter(scaled, -HUGE_VALF);
}

void applyView(const ViewOptions& options, ViewState& view, const ViewFit* fit) {
  if (options.minLength >= 0) view.filter.threshold = thresholdOfMinLength(options.minLength);
  std::string unread;
  if (!options.region.empty() && !readRegion(options.region, view.filter.regionStart, view.filter.regionEnd, unread))
    view.filter.regionStart = view.filter.regionEnd = -1;
  // Which pairs are shown does not depend on where the records stand, so a fit knows before
  // any move whether it has anything to frame.
  FitBox box{};
  int64_t firstPos = 0, lastPos = 0;
  bool nothingShown = shownSlots(view).count == 0;
  if (fit != nullptr && (!nothingShown || emptyFrameExtent(view, box, firstPos, lastPos))) {
    // In place of --camera: the records framed as the moves leave them, then zoomed by the
    // fit's steps (or --zoom-steps).
    if (!options.moves.empty()) makeRecordMoves(options.moves, view);
    // With none shown, the axis they would stand on.
    if (nothingShown)
      emptyFrameExtent(view, box, firstPos, lastPos);
    else
      framedExtent(view, box, firstPos, lastPos);
    CameraFit placed = fitCamera(box, fit->frame, fit->aspect, options.zoomSteps > 0 ? options.zoomSteps : -1);
    for (int32_t i = 0; i < placed.zoomSteps; ++i) zoomStep(view);
    camera.camX = placed.camX;
    camera.camY = placed.camY;
    camera.pitch = placed.pitch;
    camera.yaw = placed.yaw;
  } else {
    for (int32_t i = 0; i < options.zoomSteps; ++i) zoomStep(view);
    if (!options.moves.empty()) makeRecordMoves(options.moves, view);
    if (options.cameraGiven) {
      camera.camX = options.camX;
      camera.camY = options.camY;
      camera.pitch = options.pitch;
      camera.yaw = options.yaw;
      camera.camZ = options.altitude;
      camera.originX = options.originX;
    }
  }
  // --goto excludes --camera: it faces the place from the front, or from the fit's side.
  Camera eye = fit != nullptr ? camera : frontCamera();
  AxisRange place;
  std::string why, note;
  int64_t target = options.gotoPosition;
  if (!options.gotoText.empty() &&
      findPlace(loadedSequences(), *viewLanes(), options.gotoText, place, why, note) == PlaceAnswer::Found)
    target = place.start;
  // In the dot plot a place is where it meets itself, on the diagonal.
  double x = xOfPosition(static_cast<double>(target), view.zoomSteps);
  if (target >= 0) camera = cameraLookingAt(x, view.look.dotPlot ? x : 0, tallestBar(view), eye);
}

void resetView(const ViewOptions& start, ViewState& view) {
  ViewState kept = view;
  restoreLoadedPlaces();
  camera = Camera{};
  view = start.view;
  view.look = kept.look;
  view.input = kept.input;
  view.input.arrows = ArrowFlags{};  // no slide carries on from where the records stood
  view.fileName = kept.fileName;
  applyView(start, view);
}
