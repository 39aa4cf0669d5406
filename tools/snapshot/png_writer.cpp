#include "png_writer.h"

#include <png.h>

namespace {

void appendBytes(png_structp png, png_bytep bytes, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), bytes, bytes + size);
}

void flushNothing(png_structp) {}

}  // namespace

// libpng reports through longjmp; the handler only needs to unwind to the setjmp below.
bool encodeRgbPng(const uint8_t* rgb, int width, int height, std::vector<uint8_t>& out) {
  out.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, appendBytes, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgb + static_cast<size_t>(y) * static_cast<size_t>(width) * 3));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
