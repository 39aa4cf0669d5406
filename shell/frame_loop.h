// The viewer's entry and its only loop: start-up, frames while no event waits, shut-down.
#pragma once

// Returns the exit code: the quit's, or 1 when no window could be had. The command line
// is not used.
int runViewer();
