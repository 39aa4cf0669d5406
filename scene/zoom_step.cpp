#include "zoom_step.h"

#include "record_moves.h"
#include "record_table.h"

void zoomStep(ViewState& view) {
  scaleRecordsX(0.9);
  view.zoomSteps += 1;
  noteZoomStep();
}
