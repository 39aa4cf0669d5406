// The Windows entry: a GUI program, so no console opens; the summary still reaches a
// standard output that the caller handed over (a pipe or a file).
#include <cstdlib>

#include "win32_window.h"

#include "cli_tool.h"
#include "frame_loop.h"
#include "viewer_command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The C runtime has already split the command line.
  int stop = readViewerCommandLine(__argc, __argv);
  if (stop != kCliGoOn) return stop;
  return runViewer(instance, showCommand);
}
