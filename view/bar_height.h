// How high a bar stands for its length: the scaled length itself (7 for the longest, or for
// the length a picture scales to), or, on the log scale, log10 of the length in bases over
// log10 of that longest, so 50 bp repeats stay visible beside a 5 kb operon. The shown rule
// and the threshold keep working on the scaled length; only the drawn height changes.
#pragma once

#include "view_state.h"

// Bases that stand 7 high: the view's own scale when a picture sets one, else the list's
// longest pair.
double basesAtFullHeight(const ViewState& view);

// The drawn height of a record of scaled length len (0 to 7).
float barHeight(const ViewState& view, float len);

// The drawn height of a pair of this many bases, for legends.
double heightOfBases(const ViewState& view, double bases);

// The tallest a bar can stand: how much height a place must leave in view for any bar there.
inline float tallestBar(const ViewState& view) { return barHeight(view, 7.0f); }
