// GLFW backend: the program's entry.
// Implements: main, which runs the viewer.
// Emulates: nothing.
// Leaves out: the command line, which the viewer does not read.
#include "frame_loop.h"
#include "glfw_window.h"

int main() { return runViewer(); }
