#include "bar_drawing.h"

#include "bar_batch.h"

void addBars(DrawList& list, const ViewState& view) {
  ViewState allBars = view;
  allBars.filter.windowMode = false;
  addBarBatch(list, allBars, view.look.pointStyle);
}
