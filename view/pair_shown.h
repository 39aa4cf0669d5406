// Whether a pair is shown: the one rule behind the bars, the links, picking, --fit, the
// legends and the SVG writer. A pair is shown when its length is above the threshold, its
// identity is not known to be below the minimum, an end of it lies in the --region when one
// is given, and in window mode an end of it lies in the window; both bars of a pair share
// the answer.
#pragma once

#include <cstdint>

#include "camera_fit.h"
#include "view_state.h"

bool pairShown(const ViewState& view, int32_t slot);

// The slots of every shown bar, in slot order, for the view's filter. Kept between calls
// and made again only when the records or view.filter change (the window's start only in
// window mode); generation changes exactly when it is made again,
// so a pass can key what it derives from the list on it.
struct ShownSlots {
  const int32_t* slots;
  int32_t count;
  uint64_t generation;
};
ShownSlots shownSlots(const ViewState& view);

// The box of the shown records as they stand, and their first and last positions. False,
// and nothing set, when none is shown.
bool shownExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos);

// What a figure frames: as shownExtent, but with a --region only the records inside it count
// and the box and positions span the region itself, so a pair with an end outside neither
// widens the frame nor sets the height.
bool framedExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos);

// What a figure frames when no pair is shown: the --region, or every stored record, on the
// ground as tall as the tallest bar could stand, so the axis and its scale are still drawn.
// False only when there is no record and no region.
bool emptyFrameExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos);
