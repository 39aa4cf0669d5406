// A drawn view written back as the options that draw it again.
#pragma once

#include <string>

#include "camera.h"
#include "view_state.h"

struct ViewOptions;

// The options that make this view and camera again on the same records: the camera as
// it stands, the records' moves (or the zoom steps alone), the region as START-END, the
// lanes shown, the pick and cursor when the HUD tells them.
ViewOptions viewOptionsOf(const ViewState& view, const Camera& eye);

// viewOptionsOf as command-line words, each row of kViewOptionRows in turn, shell-quoted
// and joined by spaces.
std::string formatViewOptions(const ViewState& view, const Camera& eye);
