// The frame just drawn, written as SVG: the floor as polygons, the bars as lines (or 2-pixel
// squares for points) from the very clip coordinates the GL drew, far ones first so that
// nearer ones cover them as the depth test does, then the annotations as text. Only what
// the batch kept for the picture is written, so the size follows the visible bars.
#pragma once

#include <string>
#include <vector>

#include "figure_marks.h"
#include "view_state.h"

struct SvgFrame {
  int width = 0, height = 0;
  bool whiteBackground = false;
  const ViewState* view = nullptr;  // floor shown, window mode and its scale bar
  float matrix[16] = {};            // projection and camera, for the scale bar
  const FigureMarks* marks = nullptr;
  // The flat view: bars and links as strokes this wide in user units (so a scaled picture
  // keeps them solid), cut to the frame (x, y from the top left, width, height).
  bool flat = false;
  float lineWidth = 1;
  float clip[4] = {0, 0, 0, 0};
  std::vector<std::string> hudLines;  // the HUD's text, top left
};

// The whole document in text.
std::string svgDocument(const SvgFrame& frame);

// DejaVu Sans's em as a share of the line height the text rasteriser sizes by (ascent
// minus descent, 2384 of 2048 units): SVG font-size is in ems.
constexpr float kEmPerLineHeight = 2048.0f / 2384.0f;
