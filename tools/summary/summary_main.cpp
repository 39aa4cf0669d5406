// quelvar-summary [--records] [FILE]: loads a tandem list or any pair file exactly as the
// viewer does at start-up and prints the same summary; --records also lists every record
// after normalisation, one tab-separated line per slot; --stats and --pairs tell of the
// pairs the viewer would show.
#include <getopt.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli_tool.h"
#include "fasta_pairs.h"
#include "line_reader.h"
#include "pair_file.h"
#include "pair_file_options.h"
#include "floor_tiles.h"
#include "pair_listing.h"
#include "pair_shown.h"
#include "pair_traits.h"
#include "view_options.h"
#include "bar_records.h"
#include "tandem_loader.h"

namespace {

// The viewer's floor takes one rand() value a tile before the loader draws any.
constexpr int kFloorRandomDraws = kFloorTileCount;

const char kUsage[] =
    "Usage: quelvar-summary [OPTIONS] [FILE]\n"
    "Loads a tandem list or any pair file quelvar-import reads (default date.txt) exactly as\n"
    "the viewer does at start-up and prints the same summary on standard output; a pair\n"
    "file's skipped lines are reported on standard error as quelvar-import reports them.\n"
    "A genome FASTA (plain or gzip) is first aligned against itself in process, as\n"
    "minimap2 -c -X genome.fa genome.fa does, its progress on standard error.\n"
    "\n"
    "  -r, --records             also list every bar after scaling, one line a slot:\n"
    "                            slot, pos, partner, len, x, y, r, g, b (tab-separated)\n"
    "  -s, --stats               instead, counts of the pairs as name<TAB>value lines: all,\n"
    "                            shown, of those shown longer than 1 kb, inverted, between\n"
    "                            two sequences and on each sequence\n"
    "  -p, --pairs               instead, the shown pairs as a table, longest first, in\n"
    "                            sequence names and 1-based positions\n"
    "  With --stats or --pairs, which pairs are shown (default: the viewer's start\n"
    "  threshold, 0.03 of the longest pair's 7); the load summary then goes to standard error:\n"
    "%s"
    "%s"
    "  -h, --help                show this help and exit\n"
    "  -V, --version             show the version and exit\n"
    "\n"
    "Exit status: 0 when the file was read whole and everything was written, 1 when the\n"
    "file could not be read (a named FILE before any summary; part-way, after it) or its pairs\n"
    "were refused, or standard output could not be written, 2 for bad arguments.\n";

void printRecords() {
  int32_t end = barSlotEnd();
  for (int32_t i = 1; i < end; ++i) {
    BarColour colour = barColour(i);
    std::printf("%d\t%lld\t%lld\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\n", i, static_cast<long long>(barPosition(i)),
                static_cast<long long>(barPartner(i)), double{barLength(i)}, barX(i), double{barY(i)},
                double{colour.r}, double{colour.g}, double{colour.b});
  }
}

// The view options that choose which pairs are shown: the viewer's own rows.
const char* const kFilterNames[] = {"min-length", "min-identity", "region"};

const OptionRow<ViewOptions>& filterRow(const char* name) { return *kViewOptionRows.named(name); }

std::string filterHelp() {
  std::string help;
  for (const char* name : kFilterNames) help += filterRow(name).help;
  return help;
}

std::vector<option> longOptions() {
  std::vector<option> table = {
      {"records", no_argument, nullptr, 'r'},
      {"stats", no_argument, nullptr, 's'},
      {"pairs", no_argument, nullptr, 'p'},
  };
  for (const char* name : kFilterNames) table.push_back(longOption(filterRow(name)));
  addLongOptions(table, kPairFileOptionRows);
  table.push_back({"help", no_argument, nullptr, 'h'});
  table.push_back({"version", no_argument, nullptr, 'V'});
  table.push_back({nullptr, 0, nullptr, 0});
  return table;
}

// What --stats and --pairs count as shown: the viewer's own rule, with its start threshold
// or --min-length, and --min-identity.
bool barShown(void* context, int32_t slot) { return pairShown(*static_cast<const ViewState*>(context), slot); }

}  // namespace

int main(int argc, char** argv) {
  startCli("quelvar-summary");
  const std::vector<option> table = longOptions();
  bool records = false, stats = false, pairs = false;
  ViewOptions filter;
  PairFileOptions file;
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, ":rsphV", table.data(), nullptr)) != -1;) {
    switch (c) {
      case 'r': records = true; break;
      case 's': stats = true; break;
      case 'p': pairs = true; break;
      case kMinLengthOption:
      case kMinIdentityOption:
      case kRegionOption: {
        // The viewer's own reading of them.
        std::string error;
        if (!takeViewOption(c, optarg, filter, error)) return cliUsageError("%s", error.c_str());
        break;
      }
      case 'h': return cliPrintHelp(kUsage, {filterHelp().c_str(), pairFileOptionsHelp().c_str()});
      case 'V': return cliPrintVersion();
      default: {
        if (!isPairFileOption(c)) return cliBadOption(c, argv);
        int stop = takePairFileOption(c, optarg, file);
        if (stop != kCliGoOn) return stop;
      }
    }
  }
  int stop = checkPairFileOptions(file);
  if (stop != kCliGoOn) return stop;
  if (records + stats + pairs > 1) return cliUsageError("--records, --stats and --pairs exclude each other");
  if ((filter.minLength >= 0 || filter.view.filter.minIdentity != 0 || !filter.region.empty()) && !stats && !pairs)
    return cliUsageError("--min-length, --min-identity and --region go with --stats or --pairs");
  if (argc - optind > 1) return cliUsageError("one list at a time; got %d", argc - optind);
  const char* path = optind < argc ? argv[optind] : "date.txt";
  // Tiles below what is listed are not made at all.
  file.import.tilesMinIdentity = filter.view.filter.minIdentity / 100.0;
  if (optind < argc) {
    // A named file that cannot be read is refused before any summary; "UPS" is date.txt's.
    stop = checkNamedFile(path, file);
    if (stop != kCliGoOn) return stop;
  } else if (pairFileOptionsGiven(file)) {
    stop = checkDefaultListOptions(file);
    if (stop != kCliGoOn) return stop;
    stop = checkAlignOptionsUsed(file, false);
    if (stop != kCliGoOn) return stop;
  }

  for (int i = 0; i < kFloorRandomDraws; ++i) std::rand();
  if (stats || pairs) sendLoadSummaryTo(stderr);  // standard output holds the table alone
  int error = openNamedFile(path, file, 1, nullptr);
  normalizeBars();
  if (records && error == 0) printRecords();
  std::string unplaced;
  if (error == 0 && (stats || pairs) && !checkViewWork(filter, barsRewrittenByAStep(), unplaced)) {
    cliCloseStdout();
    return cliUsageError("%s", unplaced.c_str());
  }
  applyView(filter, filter.view);  // the threshold from --min-length, the region placed
  if (stats && error == 0) printPairStats(stdout, loadedSequences(), barShown, &filter.view);
  if (pairs && error == 0) printShownPairs(stdout, loadedSequences(), barShown, &filter.view);
  bool written = cliCloseStdout();
  if (error == kPairFileRefused) return kExitFailed;  // the import said why
  if (error != 0) {
    cliError("cannot read %s: %s", path, readErrorText(error));
    return kExitFailed;
  }
  return written ? kExitOk : kExitFailed;
}
