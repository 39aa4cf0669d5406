#include "viewer_command_line.h"

#include <getopt.h>

#include "cli_tool.h"

namespace {

const char kUsage[] =
    "Usage: quelvar [OPTIONS]\n"
    "Opens the 3D viewer of tandem pairs on date.txt in the working folder and prints the\n"
    "load summary on standard output.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Keys: W/S fly forward/back, A/D strafe, mouse looks around while the cursor is\n"
    "captured, Q or Escape frees or captures the cursor, keypad -/+ raise/lower the length\n"
    "threshold, L lines or points, N compresses the axis by 0.9, M floor on/off, Enter\n"
    "window mode, arrows slide or jump the window (or the data beyond position 2,000,000),\n"
    "Space stops every slide.\n"
    "\n"
    "Exit status: 0 when the window was closed, 1 when no window could be had, 2 for bad\n"
    "arguments.\n";

}  // namespace

int readViewerCommandLine(int argc, char** argv) {
  if (argc <= 1) return kCliGoOn;  // the plain start touches nothing
  startCli("quelvar");
  static const option kOptions[] = {
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, "+:hV", kOptions, nullptr)) != -1;) {
    switch (c) {
      case 'h': return cliPrintHelp(kUsage);
      case 'V': return cliPrintVersion();
      default: return cliBadOption(c, argv);
    }
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  return kCliGoOn;
}
