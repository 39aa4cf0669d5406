// The viewer's command line: --help and --version; started without arguments it runs as
// it always has.
#pragma once

// Returns kCliGoOn to start the viewer, or the exit code to end with.
int readViewerCommandLine(int argc, char** argv);
