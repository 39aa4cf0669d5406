#include "png_encoder.h"

#include <zlib.h>

#include <cstdlib>

namespace {

// stb_image_write's deflate hook: a zlib stream in memory from malloc, which stb frees.
unsigned char* zlibCompress(unsigned char* data, int size, int* outSize, int quality) {
  uLongf room = compressBound(static_cast<uLong>(size));
  auto* out = static_cast<unsigned char*>(std::malloc(room));
  if (out == nullptr) return nullptr;
  int level = quality < 0 ? Z_DEFAULT_COMPRESSION : quality > 9 ? 9 : quality;
  if (compress2(out, &room, data, static_cast<uLong>(size), level) != Z_OK) {
    std::free(out);
    return nullptr;
  }
  *outSize = static_cast<int>(room);
  return out;
}

}  // namespace

// The one translation unit that holds stb_image_write's code.
#define STBIW_ZLIB_COMPRESS zlibCompress
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO  // written through the programs' own files
#include <stb_image_write.h>

namespace {

void collectBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool encodeRgbPng(const uint8_t* rgb, int width, int height, std::vector<uint8_t>& png) {
  png.clear();
  if (width <= 0 || height <= 0) return false;
  return stbi_write_png_to_func(collectBytes, &png, width, height, 3, rgb, width * 3) != 0;
}
