// The position axis as a ruler on the ground just in front of the rows, with round ticks and
// kb/Mb labels spaced from how long the visible stretch is on screen, so that they stay
// readable as the camera flies and the axis is zoomed.
#pragma once

#include "draw_list.h"
#include "view_state.h"

// A rectangle of the picture in pixels from the top-left corner.
struct ScreenBox {
  int left, top, right, bottom;
};

// Labels that would fall into keepClear (the HUD's text, say) are left out.
void addAxisRuler(DrawList& list, const ViewState& view, const ScreenBox& keepClear);

// The pixel (from the top left) of the ground point (x, y, 0), with the camera transform
// applied; false when it lies behind the eye.
bool groundOnScreen(const float clipOfWorld[16], double x, double y, int width, int height, double& column,
                    double& row);

// The ground point (x, y, 0) under the pixel (column, row from the top left): where the
// ray through it meets the ground; false when that lies behind the eye.
bool groundUnder(const float clipOfWorld[16], double column, double row, int width, int height, double& x, double& y);

// The stretch of world x along the ground line at y that lies in the picture and not too
// far, with the camera transform applied; false when none does.
bool groundStretchInView(const float clipOfWorld[16], float y, double& low, double& high);
