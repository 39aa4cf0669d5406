// quelvar-summary [--records] [FILE]: loads a tandem list exactly as the viewer does at
// start-up and prints the same summary; --records also lists every record after
// normalisation, one tab-separated line per slot.
#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli_tool.h"
#include "record_table.h"
#include "tandem_loader.h"

namespace {

// The viewer's floor takes this many rand() values before the loader draws any.
constexpr int kFloorRandomDraws = 1600;

const char kUsage[] =
    "Usage: quelvar-summary [OPTIONS] [FILE]\n"
    "Loads a tandem list (default date.txt) exactly as the viewer does at start-up and prints\n"
    "the same summary on standard output.\n"
    "\n"
    "  -r, --records  also list every bar after scaling, one line a slot:\n"
    "                 slot, pos, partner, len, x, y, r, g, b (tab-separated)\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Exit status: 0 when the list was read whole and everything was written, 1 when the\n"
    "list could not be read (the summary is still printed, as the viewer prints it) or\n"
    "standard output could not be written, 2 for bad arguments.\n";

void printRecords() {
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& r = recordTable.slots[i];
    std::printf("%d\t%d\t%d\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\n", i, r.pos, r.partner,
                double{r.len}, double{r.x}, double{r.y}, double{r.r}, double{r.g}, double{r.b});
  }
}

}  // namespace

int main(int argc, char** argv) {
  startCli("quelvar-summary");
  static const option kOptions[] = {
      {"records", no_argument, nullptr, 'r'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  bool records = false;
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, "+:rhV", kOptions, nullptr)) != -1;) {
    switch (c) {
      case 'r': records = true; break;
      case 'h': return cliPrintHelp(kUsage);
      case 'V': return cliPrintVersion();
      default: return cliBadOption(c, argv);
    }
  }
  if (argc - optind > 1) return cliUsageError("one list at a time; got %d", argc - optind);
  const char* path = optind < argc ? argv[optind] : "date.txt";

  for (int i = 0; i < kFloorRandomDraws; ++i) std::rand();
  int error = loadTandemList(path, 1);
  normalizeRecords();
  if (records && error == 0) printRecords();
  bool written = cliCloseStdout();
  if (error != 0) {
    cliError("cannot read %s: %s", path, std::strerror(error));
    return kExitFailed;
  }
  return written ? kExitOk : kExitFailed;
}
