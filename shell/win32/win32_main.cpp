// Win32 backend: the program's entry.
// Implements: WinMain, a GUI program's entry, so no console opens; the summary still
//   reaches a standard output that the caller handed over (a pipe or a file).
// Emulates: nothing.
// Leaves out: the command line, which the viewer does not read.
#include "win32_window.h"

#include "frame_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  viewerInstance = instance;
  viewerShowCommand = showCommand;
  return runViewer();
}
