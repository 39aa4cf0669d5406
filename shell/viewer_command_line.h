// The viewer's command line: [OPTIONS] [FILE]; started without arguments it runs as it
// always has, on date.txt.
#pragma once

#include "pair_file.h"
#include "view_options.h"

// What the command line asks of the start-up.
struct ViewerOptions {
  const char* file = nullptr;  // the pair file to read; nullptr: date.txt, as always
  PairFileOptions pairs;       // how FILE is read (--from, --chrom, --all-sequences)
  ViewOptions view;            // the view to start with (--camera, --hud, ...)
  bool anyArgument = false;    // keys then act once per press (controls.h)
};

// Returns kCliGoOn to start the viewer, or the exit code to end with. A FILE that cannot
// be read is reported here, before any window opens.
int readViewerCommandLine(int argc, char** argv, ViewerOptions& options);
