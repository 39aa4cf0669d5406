// How high a bar stands for its length in this view: the axis scale's height rule
// (axis_scale.h) with the view's choices, the scale (the list's longest pair, or the length a
// picture scales to) and linear or log. The shown rule and the threshold keep working on the
// scaled length; only the drawn height changes.
#pragma once

#include "axis_scale.h"
#include "view_state.h"

// Bases that stand kFullHeight high: the view's own scale when a picture sets one, else the
// list's longest pair.
double basesAtFullHeight(const ViewState& view);

// The drawn height of a record of scaled length len (0 to kFullHeight).
float barHeight(const ViewState& view, float len);

// The drawn height of a pair of this many bases, for legends and height axes.
double heightOfBases(const ViewState& view, double bases);

// The tallest a bar can stand: how much height a place must leave in view for any bar there.
inline float tallestBar(const ViewState& view) { return barHeight(view, static_cast<float>(kFullHeight)); }
