// Win32 backend: the program's entry.
// Implements: WinMain, a GUI program's entry, so no console opens; the summary still
//   reaches a standard output that the caller handed over (a pipe or a file). It reads the
//   command line (--help, --version, a FILE and how to read it) as the C runtime split it.
// Emulates: nothing.
// Leaves out: nothing.
#include <cstdlib>

#include "win32_window.h"

#include "cli_tool.h"
#include "frame_loop.h"
#include "viewer_command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  ViewerOptions options;
  int stop = readViewerCommandLine(__argc, __argv, options);
  if (stop != kCliGoOn) return stop;
  viewerInstance = instance;
  viewerShowCommand = showCommand;
  return runViewer(options);
}
