// Encodes 8-bit RGB pictures as PNG, for the viewer's P and quelvar-snapshot alike: the
// PNG framing of stb_image_write (libstb-dev), its deflate done by zlib.
#pragma once

#include <cstdint>
#include <vector>

// rgb: width * height * 3 bytes, top row first. False when the encoding fails.
bool encodeRgbPng(const uint8_t* rgb, int width, int height, std::vector<uint8_t>& png);
