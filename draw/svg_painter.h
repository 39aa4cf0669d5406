// A frame's draw list written as SVG, item by item in the list's order, so the document
// shows what the GL replay drew. What the depth test sorted in GL is sorted by painting:
// the ground first, and the bars of a kept array far first (of two at one depth, the one
// the GL drew first stays on top, as GL_LESS keeps it). World points go through the list's
// matrix, clip coordinates are cut at the near plane, as the GL cuts them.
#pragma once

#include <string>

#include "draw_list.h"

// The whole document in text.
std::string svgDocument(const DrawList& list);

// DejaVu Sans's em as a share of the line height the text rasteriser sizes by (ascent
// minus descent, 2384 of 2048 units): SVG font-size is in ems.
constexpr float kEmPerLineHeight = 2048.0f / 2384.0f;
