// The Linux and macOS entry: no module instance and no show command, so the defaults.
#include "cli_tool.h"
#include "frame_loop.h"
#include "viewer_command_line.h"

int main(int argc, char** argv) {
  int stop = readViewerCommandLine(argc, argv);
  if (stop != kCliGoOn) return stop;
  return runViewer(nullptr, 1);
}
