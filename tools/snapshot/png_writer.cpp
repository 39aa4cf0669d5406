#include "png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// libpng reports through longjmp; the handler only needs to unwind to the setjmp below.
bool writeRows(std::FILE* file, const uint8_t* rgb, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgb + static_cast<size_t>(y) * static_cast<size_t>(width) * 3));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool writeRgbPng(const char* path, const uint8_t* rgb, int width, int height, char* error, int errorSize) {
  std::string partial = std::string(path) + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) {
    std::snprintf(error, static_cast<size_t>(errorSize), "cannot write %s: %s", partial.c_str(), std::strerror(errno));
    return false;
  }
  bool written = writeRows(file, rgb, width, height);
  bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(partial.c_str(), path) != 0) {
    std::snprintf(error, static_cast<size_t>(errorSize), "cannot write %s: %s", path,
                  written && closed ? std::strerror(errno) : "the PNG could not be written out");
    std::remove(partial.c_str());
    return false;
  }
  return true;
}
