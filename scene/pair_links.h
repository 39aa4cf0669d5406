// Links: for every shown pair, an arc on the ground in front of the rows joining its two
// bars, coloured by strand (by identity when the bars are). Wider pairs bulge further out.
#pragma once

#include "view_state.h"

void drawPairLinks(const ViewState& view);
