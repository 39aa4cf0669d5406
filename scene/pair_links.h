// Links: for every shown pair, an arc on the ground in front of the rows joining its two
// bars, coloured by strand (by identity when the bars are). Wider pairs bulge further out.
// Each arc is drawn with as few of its 8 segments as keep it within about half a pixel of
// the whole curve on screen; one within a pixel, or on the very pixels of one drawn before
// it in its colour, is left out: far off, the arcs fall on one another by the thousand.
#pragma once

#include <cstdint>

#include "view_state.h"

void drawPairLinks(const ViewState& view);

// The segments the last drawPairLinks drew, for writers that put the same frame into other
// formats: points (x, y, 0 before the matrix), their colours, index pairs, and the matrix
// they went through.
struct PairLinkSegments {
  const float (*points)[3];
  const uint8_t (*colours)[3];
  const uint32_t* indices;
  int32_t indexCount;
  const float* matrix;
};
PairLinkSegments pairLinkSegments();
