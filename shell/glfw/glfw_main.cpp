// The Linux and macOS entry: no module instance and no show command, so the defaults.
#include "frame_loop.h"

int main() { return runViewer(nullptr, 1); }
