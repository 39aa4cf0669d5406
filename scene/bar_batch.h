// The bars of the current pass gathered into arrays kept between frames, in slot order,
// and drawn as one item of the frame's draw list that points at them. The selection is
// rebuilt only when what chooses it changes; the arrays hold clip coordinates, so they are
// refilled when the matrix or viewport changes, leaving out bars that lie wholly outside
// the view volume.
#pragma once

#include <cstdint>

#include "draw_list.h"
#include "pair_shown.h"
#include "view_state.h"

// Adds the view's shown bars (pair_shown.h) under the list's matrix, as points at the bar
// tops in the record colour or as blue lines, coloured by
// view.look.colourMode: the same pixels as a glTranslatef and glBegin/glEnd per bar, in the same
// order. Bars moved in place must bump barsRevision() for the batch to see it.
void addBarBatch(DrawList& list, const ViewState& view, bool points);

// Counts from the last addBarBatch, for benchmarks and tests.
struct BarBatchStats {
  int32_t selected;  // records chosen by the selection
  int32_t drawn;     // of those, records in cells that may be visible
};
BarBatchStats barBatchStats();

// The first bar of every pair with a bar drawn by the last addBarBatch, each once, in slot
// order: the pairs that have links when the bars are a pyramid's choice. The generation
// changes when the drawn bars do, and never equals a shown list's.
ShownSlots drawnPairs();

// The slot of the bar drawn by the last addBarBatch under the window point (column, row
// from the top-left corner, in pixels): of the bars within radius pixels, the nearest to
// the eye; 0 when there is none. Works on the clip coordinates already computed for drawing.
int32_t pickBatchedBar(double column, double row, double radius);
