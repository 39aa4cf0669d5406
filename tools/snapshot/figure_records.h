// The loaded records kept as read, so that each picture of a batch scales lengths and zooms
// x from the same start, and the extent of what a picture draws, for --fit.
#pragma once

#include <cstdint>

#include "camera_fit.h"
#include "view_state.h"

// Call once after loading, before any normalisation.
void keepLoadedRecords();

// Back to the loaded records, then lengths into (0, 7] by maxLen (0: the list's longest,
// exactly as the viewer does; else clipped at 7), x into units of 100,000 positions.
void normaliseRecordsFor(int64_t maxLen);

// The box of the records the view draws (above the threshold; in window mode, pairs with an
// end in the window), and their first and last positions. False, and nothing set, when
// none is drawn.
bool drawnExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos);

// The x of a bar standing at pos after zoomSteps, rounded as the records' own x.
float axisXOf(int64_t pos, int zoomSteps);
