// Viewport and perspective for a client area; the frustum goes into the model-view matrix,
// which carries projection and camera together (the matrix mode is never changed).
#pragma once

// A zero height leaves viewport and projection as they were: its aspect would be infinite.
// The frustum follows the camera's altitude (camera.h's altitudeScale).
void resizeView(int width, int height);

// Inside a frame's pushed matrix, after the controls: makes the frustum again when the
// camera's altitude changed since it was made.
void followCameraAltitude();

// The orthographic side view of figures: the same viewport, and eye-space x in
// [left, right], y in [bottom, top] across the picture; everything between the planes
// -1e4 and 1e4 deep is drawn.
void flatView(int width, int height, double left, double right, double bottom, double top);
