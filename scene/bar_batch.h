// The bars of the current pass gathered into client-side arrays, in slot order, and drawn
// with one glDrawArrays. The selection is rebuilt only when what chooses it changes; the
// arrays hold clip coordinates, so they are refilled when the matrix or viewport changes,
// leaving out bars that lie wholly outside the view volume.
#pragma once

#include <cstdint>

// Everything that decides which records a pass draws and how. Records changed in place
// must bump recordTable.revision for the batch to see it.
struct BarSelection {
  uint32_t revision;
  int32_t count;
  float threshold;
  bool points;       // points at the bar tops in the record colour, else blue lines
  bool windowMode;   // only pairs with an end in the window
  int32_t windowStart;
  int32_t colourMode = 0;  // pair_colours.h; 0 keeps the pass's own colours
  uint16_t minIdentity = 0;  // hundredths of a percent; pairs without identity stay
};

// Draws the selected records under the current matrix (camera already applied): the same
// pixels as a glTranslatef and glBegin/glEnd per bar, in the same order.
void drawBarBatch(const BarSelection& selection);

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
