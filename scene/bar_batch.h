// The bars of the current pass gathered into client-side arrays, in slot order, and drawn
// with one glDrawArrays. The selection is rebuilt only when what chooses it changes; the
// arrays hold clip coordinates, so they are refilled when the matrix or viewport changes,
// leaving out bars that lie wholly outside the view volume.
#pragma once

#include <cstdint>

#include "view_state.h"

// Draws the view's shown bars (pair_shown.h) under the current matrix (camera already
// applied), as points at the bar tops in the record colour or as blue lines, coloured by
// view.colourMode: the same pixels as a glTranslatef and glBegin/glEnd per bar, in the same
// order. Records changed in place must bump recordTable.revision for the batch to see it.
void drawBarBatch(const ViewState& view, bool points);

// Counts from the last drawBarBatch, for benchmarks and tests.
struct BarBatchStats {
  int32_t selected;  // records chosen by the selection
  int32_t drawn;     // of those, records in cells that may be visible
};
BarBatchStats barBatchStats();

// The clip coordinates and colours the last drawBarBatch drew (two vertices a bar for lines,
// one for points), for writers that put the same frame into other formats.
struct BarBatchArrays {
  const float (*vertices)[4];
  const float (*colours)[3];
  int32_t count;
  bool points;
};
BarBatchArrays barBatchArrays();

// The slot of the bar drawn by the last drawBarBatch under the window point (column, row
// from the top-left corner, in pixels): of the bars within radius pixels, the nearest to
// the eye; 0 when there is none. Works on the clip coordinates already computed for drawing.
int32_t pickBatchedBar(double column, double row, double radius);
