// Sorts the pixels of a screenshot region into what the viewer draws: the sky clear colour,
// floor tints, blue bar lines, the red scale bar, and anything else (points, for one). With
// --diff it counts the pixels in which two screenshots differ.
//   frame_colours SHOT.ppm X Y W H
//   frame_colours --diff A.ppm B.ppm X Y W H
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tool_run.h"

namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

bool readPpm(const char* path, Image& image) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  int maxValue = 0;
  bool ok = std::fscanf(file, "P6 %d %d %d", &image.width, &image.height, &maxValue) == 3 &&
            maxValue == 255 && std::fgetc(file) != EOF;
  if (ok) {
    image.rgb.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3);
    ok = std::fread(image.rgb.data(), 1, image.rgb.size(), file) == image.rgb.size();
  }
  std::fclose(file);
  return ok;
}

const unsigned char* pixel(const Image& image, int x, int y) {
  return &image.rgb[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 3];
}

bool clipRegion(const Image& image, int& x, int& y, int& w, int& h) {
  if (x < 0 || y < 0 || w <= 0 || h <= 0) return false;
  if (x + w > image.width) w = image.width - x;
  if (y + h > image.height) h = image.height - y;
  return w > 0 && h > 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool diff = argc == 8 && std::strcmp(argv[1], "--diff") == 0;
  if (!diff && argc != 6) {
    std::fprintf(stderr, "usage: frame_colours SHOT.ppm X Y W H | --diff A.ppm B.ppm X Y W H\n");
    return 2;
  }
  int first = diff ? 4 : 2;
  int x = std::atoi(argv[first]), y = std::atoi(argv[first + 1]);
  int w = std::atoi(argv[first + 2]), h = std::atoi(argv[first + 3]);
  Image a, b;
  if (!readPpm(argv[diff ? 2 : 1], a) || (diff && !readPpm(argv[3], b))) {
    std::fprintf(stderr, "frame_colours: cannot read the screenshot\n");
    return 1;
  }
  if (!clipRegion(a, x, y, w, h) || (diff && (a.width != b.width || a.height != b.height))) {
    std::fprintf(stderr, "frame_colours: the region lies outside the screenshot\n");
    return 1;
  }
  if (diff) {
    long differing = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) differing += std::memcmp(pixel(a, i, j), pixel(b, i, j), 3) != 0;
    std::printf("%ld\n", differing);
    return 0;
  }
  long sky = 0, floor = 0, blue = 0, red = 0, other = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      const unsigned char* p = pixel(a, i, j);
      int r = p[0], g = p[1], bl = p[2];
      if (std::abs(r - kSkyRed) <= 1 && std::abs(g - kSkyGreen) <= 1 && bl >= kSkyBlue - 1) {
        ++sky;
      } else if (r > 200 && g < 60 && bl < 60) {
        ++red;  // the scale bar
      } else if (r < 24 && g < 24 && bl > 24) {
        ++blue;  // a bar line (0, 0, r)
      } else if (r >= 70 && g >= 120 && bl >= 200 && g - r >= 40 && g - r <= 56) {
        ++floor;  // a tint (v + 0.31, v + 0.5, v + 0.83), channels clamped at 1
      } else if (r >= 230 && g >= 230 && bl >= 230) {
        ++floor;  // the tints past 0.5 reach white
      } else {
        ++other;
      }
    }
  }
  std::printf("sky=%ld floor=%ld blue=%ld red=%ld other=%ld\n", sky, floor, blue, red, other);
  return 0;
}
