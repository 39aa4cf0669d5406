// Writes 8-bit RGB pictures as PNG through libpng.
#pragma once

#include <cstdint>

// rgb: width * height * 3 bytes, top row first. Writes beside path first and renames, so a
// failed write leaves any earlier file whole. On failure returns false with a reason.
bool writeRgbPng(const char* path, const uint8_t* rgb, int width, int height, char* error, int errorSize);
