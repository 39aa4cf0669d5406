// Encodes 8-bit RGB pictures as PNG through libpng.
#pragma once

#include <cstdint>
#include <vector>

// rgb: width * height * 3 bytes, top row first. Returns false when libpng fails.
bool encodeRgbPng(const uint8_t* rgb, int width, int height, std::vector<uint8_t>& png);
