// Viewport and perspective for a client area; the frustum goes into the model-view matrix,
// which carries projection and camera together (the matrix mode is never changed).
#pragma once

// A zero height leaves viewport and projection as they were: its aspect would be infinite.
void resizeView(int width, int height);
