// Text and panels drawn over the picture with OpenGL 1.1 pixel operations, placed in
// viewport pixels from the top-left corner. Used between beginOverlay and endOverlay.
#pragma once

// Depth test off, blending on, identity matrix; endOverlay puts all of it back.
void beginOverlay();
void endOverlay();

// The UTF-8 text with its line's top-left corner at (left, top), in colour, blended by the
// glyphs' coverage. Rasterised strings are kept for reuse, as most recur frame after frame.
void drawText(const char* utf8, int left, int top, float pixelHeight, const float colour[3]);

// A translucent rectangle (colour with alpha) behind text, so it reads on any background.
void drawPanel(int left, int top, int width, int height, const float rgba[4]);

// The viewport's size in pixels.
void overlaySize(int& width, int& height);
