// Loading the viewer's FILE on a thread of its own while the window, open at once, shows how
// far the work has come: a FASTA's alignment, or how much of a pair file is read. Closing
// the window stops an alignment; a pair file's reading ends first.
#pragma once

#include <cstdint>

#include "viewer_command_line.h"

// Returns 0 when the file was read whole, or kFastaCancelled when the window was closed
// before the pairs were ready; exitCode is then the quit's. A load that failed (a read
// error, a refused file) is said on standard error and in the window, which stays until
// closed; the answer is then kViewerLoadFailed.
constexpr int kViewerLoadFailed = -3;
int loadViewerFile(const ViewerOptions& options, int32_t& exitCode);
