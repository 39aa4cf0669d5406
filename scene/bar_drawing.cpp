#include "bar_drawing.h"

#include "bar_batch.h"

void addBars(DrawList& list, const ViewState& view) {
  ViewState allBars = view;
  allBars.windowMode = false;
  addBarBatch(list, allBars, view.pointStyle);
}
