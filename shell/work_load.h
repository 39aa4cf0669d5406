// Loading the viewer's FILE. A FASTA is aligned on a thread of its own while the window,
// open at once, shows how far the work has come; closing the window stops it.
#pragma once

#include <cstdint>

#include "viewer_command_line.h"

// Returns the load's answer (as loadPairFile's), or kFastaCancelled when the window was
// closed before the pairs were ready; exitCode is then the quit's.
int loadViewerFile(const ViewerOptions& options, int32_t& exitCode);
