// The command line of quelvar-snapshot, read into plain values.
#pragma once

#include <cstdint>

#include "pair_file.h"
#include "view_options.h"

// The view options (view, zoomSteps, camera...) as the viewer takes them, and the
// snapshot's own.
struct SnapshotOptions : ViewOptions {
  const char* listPath = "date.txt";
  bool listGiven = false;
  PairFileOptions file;  // how the list is read: a tandem list or any pair file
  const char* outPath = "snapshot.png";
  int width = 992;  // the client area of the viewer's 1000 x 600 window
  int height = 573;
  int frames = 1;
  bool timed = false;  // --frames given: print the mean frame time
};

extern const char kSnapshotUsage[];

// The snapshot's own options (--list, --out, --size, --frames), as getopt_long returns
// them: 'l', 'o', 's', 'f'.
bool isSnapshotOption(int option);

// Takes one of them with its value. Returns kCliGoOn, or the exit code of a bad value
// (reported).
int takeSnapshotOption(int option, const char* value, SnapshotOptions& options);
