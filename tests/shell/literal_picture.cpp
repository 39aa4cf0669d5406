// literal_picture LIST WIDTH HEIGHT OUT.ppm: the viewer's start-up and first frame, drawn
// offscreen through the literal per-bar passes, as a PPM. The end-to-end test holds the
// real window's first picture against it, pixel for pixel.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "literal_passes.h"
#include "offscreen_context.h"
#include "projection.h"
#include "scene_frame.h"
#include "tandem_loader.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: literal_picture LIST WIDTH HEIGHT OUT.ppm\n");
    return 2;
  }
  int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
  char error[256];
  if (width <= 0 || height <= 0 || !openOffscreenContext(width, height, error, sizeof error)) {
    std::fprintf(stderr, "literal_picture: no %dx%d context: %s\n", width, height, error);
    return 1;
  }
  startScene();
  resizeView(width, height);
  loadTandemList(argv[1], 1);
  normalizeRecords();
  ViewState view;
  renderFrame(view, nullptr, literalDrawScene);
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  readOffscreenPixels(rgb.data());
  closeOffscreenContext();
  std::FILE* out = std::fopen(argv[4], "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  bool written = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
