// The frame just drawn, written as SVG: the floor as polygons, the bars as lines (or 2-pixel
// squares for points) from the very clip coordinates the GL drew, far ones first so that
// nearer ones cover them as the depth test does, then the annotations as text. Only what
// the batch kept for the picture is written, so the size follows the visible bars.
#pragma once

#include <string>

#include "figure_marks.h"
#include "view_state.h"

struct SvgFrame {
  int width, height;
  bool whiteBackground;
  const ViewState* view;  // floor shown, window mode and its scale bar
  float matrix[16];       // projection and camera, for the scale bar
  const FigureMarks* marks;
};

// The whole document in text.
std::string svgDocument(const SvgFrame& frame);

// DejaVu Sans's em as a share of the line height the text rasteriser sizes by (ascent
// minus descent, 2384 of 2048 units): SVG font-size is in ems.
constexpr float kEmPerLineHeight = 2048.0f / 2384.0f;
