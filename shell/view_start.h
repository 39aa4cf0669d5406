// The view the viewer starts with (its command line's view options applied to the loaded
// records), kept so that R can go back to it.
#pragma once

#include "view_options.h"

// After loading and normalising: the options made into the view state and the camera.
void startView(const ViewOptions& options);

// R: the records back where the load left them, then the start view again: camera,
// threshold, zoom steps, slides, window. The display switches (HUD, links, colours,
// points, floor) and the cursor stay as they are.
void resetViewToStart();
