#include "view_start.h"

#include "view_state_instance.h"

namespace {

ViewOptions startOptions;

}  // namespace

void startView(const ViewOptions& options) {
  startOptions = options;
  const char* fileName = viewState.fileName;
  viewState = options.view;
  viewState.fileName = fileName;
  viewState.input.hasCursor = true;
  applyView(options, viewState);
}

void resetViewToStart() { resetView(startOptions, viewState); }
