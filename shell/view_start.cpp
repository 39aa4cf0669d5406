#include "view_start.h"

#include "camera.h"
#include "record_moves.h"
#include "view_state_instance.h"

namespace {

ViewOptions startOptions;

}  // namespace

void startView(const ViewOptions& options) {
  startOptions = options;
  const char* fileName = viewState.fileName;
  viewState = options.view;
  viewState.fileName = fileName;
  viewState.hasCursor = true;
  applyViewOptions(options, viewState);
}

void resetViewToStart() {
  ViewState kept = viewState;
  restoreLoadedPlaces();
  camera = Camera{};
  ViewState& view = viewState;
  view = startOptions.view;
  view.hud = kept.hud;
  view.showLinks = kept.showLinks;
  view.colourMode = kept.colourMode;
  view.pointStyle = kept.pointStyle;
  view.showFloor = kept.showFloor;
  view.cursorFree = kept.cursorFree;
  view.hasCursor = kept.hasCursor;
  view.promptLine = kept.promptLine;
  view.pickedSlot = kept.pickedSlot;
  view.fileName = kept.fileName;
  applyViewOptions(startOptions, view);
}
