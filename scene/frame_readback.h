// The picture of the frame just drawn, read back from the back buffer before the swap, so
// that what is saved is what is about to be shown.
#pragma once

#include <cstdint>
#include <vector>

// The viewport's size in pixels: the size of the frame the passes draw.
void frameSize(int32_t* width, int32_t* height);

// The viewport's pixels as 8-bit RGB, top row first.
void readFrameRgb(std::vector<uint8_t>& rgb, int32_t* width, int32_t* height);
