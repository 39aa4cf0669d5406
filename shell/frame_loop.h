// The viewer's entry and its only loop: start-up, frames while no event waits, shut-down.
#pragma once

#include "viewer_command_line.h"

// Returns the exit code: the quit's, or 1 when no window could be had. Reads the file the
// options name, or date.txt.
int runViewer(const ViewerOptions& options = ViewerOptions{});
