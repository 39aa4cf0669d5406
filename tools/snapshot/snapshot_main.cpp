// quelvar-snapshot: renders what the viewer would show into PNG or SVG pictures, through an
// offscreen EGL context, starting up exactly as the viewer does; several pictures share one
// load of the list.
#include <vector>

#include "cli_tool.h"
#include "figure_options.h"
#include "picture_run.h"

int main(int argc, char** argv) {
  startCli("quelvar-snapshot");
  std::vector<PicturePlan> pictures;
  int stop = planPictures(argc, argv, pictures);
  if (stop != kCliGoOn) return stop;
  return runPictures(pictures);
}
