// The command line of quelvar-snapshot, read into plain values.
#pragma once

#include <cstdint>

#include "option_row.h"
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

// The usage text, its "%s" for the snapshot's own rows' help, then the load and the view
// options'.
extern const char kSnapshotUsage[];

// The snapshot's own options (--list, --out, --size, --frames) as rows, their codes the
// letters getopt_long returns for them: 'l', 'o', 's', 'f'.
extern const OptionRows<SnapshotOptions> kSnapshotOptionRows;

bool isSnapshotOption(int option);

// Takes one of them with its value. Returns kCliGoOn, or the exit code of a bad value
// (reported).
int takeSnapshotOption(int option, const char* value, SnapshotOptions& options);
