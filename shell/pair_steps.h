// Stepping through the shown pairs one by one, longest first (. and ,), and the length
// threshold doubled or halved in bases (Page Up, Page Down).
#pragma once

#include <cstdint>

// direction +1: the next shorter shown pair, -1: the previous. The first step goes to the
// longest; the ends stay where they are. The camera looks at it from the start camera's
// height and angles, it is picked, and its line is printed as a click prints it.
void stepThroughPairs(int32_t direction);

// factor 2 or 0.5: the threshold in bases times factor. A threshold at or below zero
// doubles from one base.
void scaleThreshold(double factor);
