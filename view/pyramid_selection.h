// The bars a frame draws from a bar pyramid. Walking down from the top, a node whose stretch
// of axis covers at most a pixel on screen stands as its tallest bar, with the number of
// bars it stands for; where bars lie further apart, each is drawn. A column's width in the
// world follows from the projection, so it grows with the distance from the eye. Nodes
// wholly outside the view, or with nothing above the threshold, are passed over: the work
// follows the screen, not the bars.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "bar_pyramid.h"

struct PyramidFrame {
  double matrix[16] = {};  // world to clip, column-major
  int width = 0, height = 0;  // the viewport, pixels
  double margin = 0;          // widens the sides as viewVolumeFromMatrix's does
  float threshold = 0;        // only longer bars are shown
  std::function<double(int32_t)> x;        // where a slot's bar stands now
  std::function<float(int32_t)> y;
  std::function<float(float)> barHeight;  // drawn height of a scaled length, rising with it
};

// A drawn bar and what it stands for: the bars above the threshold in its column (itself
// included) and how many of them are of inverted pairs.
struct ColumnBar {
  int32_t slot;
  uint32_t count;
  uint32_t inverted;
};

// In order of position. Two chosen bars whose feet fall in the same pixel become one, the
// taller, standing for both.
void selectPyramidBars(const BarPyramid& pyramid, const PyramidCounts& counts, const PyramidFrame& frame,
                       std::vector<ColumnBar>& out);
