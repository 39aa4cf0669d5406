// The Windows entry: a GUI program, so no console opens; the summary still reaches a
// standard output that the caller handed over (a pipe or a file).
#include "win32_window.h"

#include "frame_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return runViewer(instance, showCommand);
}
