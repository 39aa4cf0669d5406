// The fixed-function vertex arithmetic done on the CPU, step for step as the GL does it, so
// that batched geometry lands on exactly the clip coordinates a per-bar glTranslatef and
// glVertex3f would give. Files including this are built with -ffp-contract=off: a fused
// multiply-add would round differently.
#pragma once

// The matrix's last column after glTranslatef(x, y, 0): m[12 + r] = m[r]x + m[4 + r]y +
// m[8 + r]0 + m[12 + r], summed left to right in single precision.
inline void translatedColumn(const float m[16], float x, float y, float out[4]) {
  for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * 0.0f + m[12 + r];
}

// The clip coordinates of the vertex (0, 0, z) under a matrix whose last column is t: the
// x and y terms vanish exactly, leaving one rounded product and one rounded sum.
inline void clipOfHeight(const float m[16], const float t[4], float z, float out[4]) {
  for (int r = 0; r < 4; ++r) out[r] = m[8 + r] * z + t[r];
}

// The clip coordinates of the vertex (a, b, 0), with a and b each 0 or 1, under t: the
// products are exact, the partial sum and the last sum are rounded.
inline void clipOfCorner(const float m[16], const float t[4], float a, float b, float out[4]) {
  for (int r = 0; r < 4; ++r) out[r] = (m[r] * a + m[4 + r] * b) + t[r];
}
