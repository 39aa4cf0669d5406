// Stepping through the shown pairs one by one, longest first (. and ,).
#pragma once

#include <cstdint>

// direction +1: the next shorter shown pair, -1: the previous. The first step goes to the
// longest; the ends stay where they are. The camera faces it from the front, the whole bar
// in the middle of the picture; it is picked, and its line is printed as a click prints it.
void stepThroughPairs(int32_t direction);
