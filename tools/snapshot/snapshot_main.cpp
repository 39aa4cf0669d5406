// quelvar-snapshot: renders what the viewer would show into PNG or SVG pictures, through an
// offscreen EGL context, starting up exactly as the viewer does; several pictures share
// one load of the list.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli_tool.h"
#include "figure_options.h"
#include "picture_run.h"

namespace {

const char kUsage[] =
    "Usage: quelvar-snapshot [OPTIONS]\n"
    "Starts up as the viewer does, loads the list and renders the frame the viewer would show\n"
    "into a picture, without a window.\n"
    "\n"
    "  --list FILE          the tandem list (default date.txt)\n"
    "  --out FILE           the picture: PNG, or SVG when FILE ends in .svg (default snapshot.png)\n"
    "  --size WxH           picture size, each 1 to 8192 (default 992x573, the viewer's)\n"
    "  --threshold T        draw bars whose scaled length (0 .. 7) is above T (default 0.03)\n"
    "  --points             points at the bar tops instead of lines\n"
    "  --no-floor           leave the floor out\n"
    "  --window-start N     window mode, the window starting at position N\n"
    "  --zoom-steps N       compress the axis as N presses of the zoom key would\n"
    "  --camera X,Y,PITCH,YAW   place the camera (see Camera below)\n"
    "  --frames N           render N times and print the mean frame_ms on standard error\n"
    "  --help               show this help and exit\n"
    "\n";

}  // namespace

int main(int argc, char** argv) {
  startCli("quelvar-snapshot");
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0) {
      std::string usage = std::string(kUsage) + kFigureUsage;
      return cliPrintHelp(usage.c_str());
    }
  std::vector<PictureSpec> pictures;
  std::string error;
  if (!planPictures(argc, argv, pictures, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  return runPictures(pictures);
}
