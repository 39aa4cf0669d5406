// Draws a figure's annotations into an RGB picture on the CPU, after the GL frame is read
// back: black lines and antialiased text from the shared text rasteriser.
#pragma once

#include <cstdint>

#include "figure_marks.h"

// rgb: width * height * 3 bytes, top row first.
void drawFigureMarks(const FigureMarks& marks, uint8_t* rgb, int width, int height);
