// The store's bars as a frame draws them: a bar pyramid over the pairs the view's filter
// shows (all but the threshold, which the frame applies), the counts above the threshold,
// and each frame's choice of bars, one a pixel where they crowd. A filter or threshold that
// changes while the viewer runs is built aside on another thread and the old pyramid drawn
// meanwhile; everywhere else (pictures, tests) the frame waits, so the picture is exact.
#pragma once

#include <cstdint>

#include "pyramid_selection.h"
#include "view_state.h"

// Whether the bars are drawn through the pyramid: only a named file's store.
bool barsThroughPyramid();

// Builds aside from now on (the viewer), or not (the default).
void buildPyramidAside(bool aside);

// The bars this frame draws (list matrix and viewport; margin as the batch widens the
// view), in order of position, and the most bars any of them stands for. Chosen again only
// when the camera, the viewport, the threshold, the heights or the bars' places change.
struct PyramidChoice {
  const ColumnBar* bars;
  int32_t count;
  uint32_t densest;
  uint64_t generation;  // changes exactly when the choice is made again
};
PyramidChoice choosePyramidBars(const ViewState& view, const float matrix[16], const int viewport[4], double margin);

// The most bars one drawn bar stood for in the last choice; 1 or less: none stood for more.
uint32_t densestColumn();

// The bars above the view's threshold that the view's filter shows, from the counts (the
// last ones made while a new one is built aside).
int64_t pyramidShownBars(const ViewState& view);

// The shown pairs longest first, by slot: the first bar of the one after the pair of this
// bar (0: the longest); 0 when there is none.
int32_t pyramidPairAfter(const ViewState& view, int32_t slot);

// A bar's colour deepened towards amber by how many bars its column stands for, on a log
// scale up to the densest: a bar standing for itself alone keeps its colour.
void shadeByDensity(uint32_t count, uint32_t densest, float colour[3]);
