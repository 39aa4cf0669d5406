// Links: for every shown pair (of a store's, every pair with a bar drawn), an arc on the ground in front of the rows joining its two
// bars, coloured by strand (by identity when the bars are). Wider pairs bulge further out.
// Each arc is drawn with as few of its 8 segments as keep it within about half a pixel of
// the whole curve on screen; one within a pixel, or on the very pixels of one drawn before
// it in its colour, is left out: far off, the arcs fall on one another by the thousand.
#pragma once

#include <cstdint>

#include "draw_list.h"
#include "view_state.h"

void addPairLinks(DrawList& list, const ViewState& view);
