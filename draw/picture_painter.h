// The draw list's picture items (a figure's marks) painted on the CPU into the read-back
// RGB picture: lines and boxes by pixel centres, antialiased text from the shared
// rasteriser. The GL replay leaves them out; the SVG writer draws the same items.
#pragma once

#include <cstdint>

#include "draw_list.h"

// rgb: width * height * 3 bytes, top row first.
void paintPictureItems(const DrawList& list, uint8_t* rgb, int width, int height);
