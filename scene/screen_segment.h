// How near a window point lies to a segment given in clip coordinates: what picking a drawn
// line or edge asks, for the bars and the dot plot's ribbons alike.
#pragma once

// Distance in pixels from the point (column, row from the top-left corner) of a viewport
// width x height to the segment a-b on screen, its part behind the eye cut off, and the clip
// w at the nearest point (its distance from the eye along the view). False when all of the
// segment is behind the eye or it lies farther than radius.
bool nearSegmentOnScreen(const float* a, const float* b, double column, double row, int width, int height,
                         double radius, double& pixels, double& depth);
