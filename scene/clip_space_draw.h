// Draws geometry whose vertices already carry projection and camera, so the batched passes
// put their arrays through the pipeline with an identity matrix.
#pragma once

#include <cstdint>

#include "gl.h"

// One glDrawArrays of count vertices (x, y, z, w in clip space) with one colour each, under
// flat shading; the matrix, the shade model and the client state are left as they were.
void drawClipSpaceArrays(GLenum mode, const float (*vertices)[4], const float (*colours)[3], int32_t count);
