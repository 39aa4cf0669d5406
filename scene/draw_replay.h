// The draw list put through OpenGL 1.1: the same calls, in the same order and arithmetic, as
// the passes made when they drew directly, so the picture is the same to the pixel.
#pragma once

#include "draw_list.h"

// Every item but the picture's marks, which the CPU draws on the read-back picture.
void replayDrawList(const DrawList& list);

// The viewport and the matrix the passes draw with (the frame's, camera applied), read from
// the GL so that CPU-side arithmetic starts from exactly the GL's numbers.
void startSceneList(DrawList& list);

// The list's matrix with the turn after it, as the GL computes it.
void turnedMatrix(const DrawTurn& turn, float matrix[16]);
