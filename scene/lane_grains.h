// Which merged strips of a lane to draw, and where: a perspective picture spans few bases a
// pixel near the camera and many far off, so the lane is cut into stretches of one grain
// each (a power of two of bases, at most what one pixel spans anywhere in the stretch).
// Features are then merged only where they lie within a pixel of each other on screen, and
// no strip reaches more than a pixel beyond its features. Pure arithmetic, no GL.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "lane_strips.h"

// A lane merged at one grain.
struct Grain {
  std::vector<LaneStrip> strips;  // in order of start
  int64_t longest = 0;            // the longest strip, to find those reaching into a stretch
};

// The grain whose gap is 2^level bases; level -1 merges only what touches.
using GrainOfLevel = std::function<const Grain&(int level)>;

// The level of a grain no pixel can tell apart at this many bases a pixel.
int grainLevel(double basesPerPixel);

struct StripToDraw {
  double x0, x1;  // world x
  const LaneStrip* strip;
};

// The strips over world x [low, high] of the ground line at y, as clipOfWorld (column-major,
// clip = matrix * world) draws them into a width x height picture, the axis zoomed by
// zoomSteps (axis_scale.h). A strip narrower than two pixels is widened evenly on both sides, so that a 50 bp
// repeat stays in sight from afar. World x here, low and high and the strips' x0 and x1
// alike, counts from originX (the camera's, camera.h).
void stripsToDraw(const float clipOfWorld[16], int width, int height, float y, double low, double high,
                  int32_t zoomSteps, const GrainOfLevel& grainOf, std::vector<StripToDraw>& out,
                  double originX = 0);

// Bases one pixel spans along the ground line at y at world x; 0 where it is not in front.
double basesPerPixelAt(const float clipOfWorld[16], int width, int height, float y, double x, int32_t zoomSteps);
