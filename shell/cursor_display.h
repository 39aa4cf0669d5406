// The cursor's display count, as Windows keeps it: show adds 1, hide takes 1 away, and the
// cursor is visible while the count is 0 or more. Every pointer event steps it, so it
// drifts far from zero.
#pragma once

#include <cstdint>

// One step; returns the new count.
int32_t stepCursorDisplay(bool show);
