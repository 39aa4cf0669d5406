#include "zoom_step.h"

#include "axis_units.h"
#include "record_moves.h"
#include "record_table.h"

void zoomStep(ViewState& view) {
  scaleRecordsX(kZoomFactor);
  view.zoomSteps += 1;
  noteZoomStep();
}
