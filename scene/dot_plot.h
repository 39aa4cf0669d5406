// The dot-plot layout's passes: the ground is the plane of the dot plot, x the first copy's
// position and y the second's on the bars' own axis scale. Each shown pair is its
// alignment's segment there (along the diagonal's direction for the same strand, across it
// inverted), raised into a ribbon as high as its bar would stand; sequence boundaries are
// grid lines with names along both axes. The ribbons' arrays are kept between frames like
// the bars'; the list points at them.
#pragma once

#include <cstdint>

#include "draw_list.h"
#include "view_state.h"

// Where they crowd, at most one pair a cell of a kDotPlotCells-square grid over the plot
// is drawn (the longest there): about one a pixel when the whole plot fills the picture.
constexpr int32_t kDotPlotCells = 1024;
// Beyond this many shown pairs they crowd.
constexpr int32_t kDotPlotAllPairs = 500000;

// The ribbons, their ground segments, the grid, the names (not on a flat picture, whose
// marks name the axes) and, when shown, the floor under the plot.
void addDotPlot(DrawList& list, const ViewState& view, bool flat);

// The picked pair's segment and ribbon outline over everything, for the HUD.
void addPickedSegment(DrawList& list, const ViewState& view, int32_t slot);

// The slot of the first copy of the pair whose ribbon the last addDotPlot drew nearest the
// window point (column, row from the top left, in pixels), within radius pixels; nearer the
// eye wins. 0 when there is none.
int32_t pickDotPlotPair(double column, double row, double radius);

// Where a pair's segment lies on the plot, in world units: from (x0, y0) to (x1, y1).
struct DotSegment {
  double x0, y0, x1, y1;
};
DotSegment dotSegmentOf(int32_t slot, int32_t zoomSteps);

// The plot's side, in world units: the loaded sequences' end, or the farthest copy's end.
double dotPlotSide(int32_t zoomSteps);
