// GLFW backend: the program's entry.
// Implements: main, which reads the command line (--help, --version, a FILE and how to
//   read it) and runs the viewer.
// Emulates: nothing.
// Leaves out: nothing.
#include "cli_tool.h"
#include "frame_loop.h"
#include "glfw_window.h"
#include "viewer_command_line.h"

int main(int argc, char** argv) {
  ViewerOptions options;
  int stop = readViewerCommandLine(argc, argv, options);
  if (stop != kCliGoOn) return stop;
  return runViewer(options);
}
