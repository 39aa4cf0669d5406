// The heads-up display: the picked pair's two bars highlighted and joined, the axis ruler,
// and a few lines of text saying what is loaded and where the view stands.
#pragma once

#include "draw_list.h"
#include "view_state.h"

void addHud(DrawList& list, const ViewState& view);

// The picked pair's colour, over everything.
constexpr float kPickColour[4] = {1.0f, 0.1f, 0.75f, 1.0f};

// The HUD's text lines for this view, one per entry, at most kHudLines; returns how many.
constexpr int kHudLines = 9;
constexpr int kHudLineRoom = 256;
int hudLines(const ViewState& view, char lines[kHudLines][kHudLineRoom]);
