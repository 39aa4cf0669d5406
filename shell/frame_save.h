// Key P: the frame just drawn saved as quelvar-NNN.png in the working folder, and the
// quelvar-snapshot command that draws it again printed on standard output.
#pragma once

#include "viewer_command_line.h"

// What the printed command must repeat of how the file was read.
void rememberViewerSource(const ViewerOptions& options);

// Asked by the key during the frame's input; done once the frame is drawn.
void requestFrameSave();
// Called after the frame's passes, before the swap: writes the back buffer if asked.
void saveFrameIfRequested();
