#include "figure_options.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <getopt.h>

#include "cli_tool.h"
#include "output_file.h"
#include "pair_file_options.h"
#include "view_options.h"

namespace {

bool endsWith(const std::string& text, const char* tail) {
  size_t n = std::strlen(tail);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
  return true;
}

// The short letters kept from before the view options were shared.
int viewOptionOfLetter(int letter) {
  switch (letter) {
    case 't': return kThresholdOption;
    case 'p': return kPointsOption;
    case 'w': return kWindowStartOption;
    case 'z': return kZoomStepsOption;
    case 'c': return kCameraOption;
    default: return letter;
  }
}

// An option that names the one load: the list, or how it is read.
bool namesTheLoad(int option) { return option == 'l' || isPairFileOption(option); }

// Every option of one picture, in order, on the picture's own copy.
int takeOption(int c, const char* value, char* const* argv, PicturePlan& plan) {
  if (isSnapshotOption(c)) return takeSnapshotOption(c, value, plan.options);
  if (const OptionRow<FigureOptions>* row = kFigureOptionRows.find(c)) {
    std::string error;
    return row->take(plan.figure, value, error) ? kCliGoOn : cliUsageError("%s", error.c_str());
  }
  if (isPairFileOption(c)) return takePairFileOption(c, value, plan.options.file);
  if (isViewOption(c)) {
    std::string error;
    if (!takeViewOption(c, value, plan.options, error)) return cliUsageError("%s", error.c_str());
    return kCliGoOn;
  }
  return cliBadOption(c, argv);
}

// After the whole command line, what a picture's options ask for together.
int checkPicture(const PicturePlan& plan) {
  std::string error;
  if (!checkViewOptions(plan.options, error)) return cliUsageError("%s", error.c_str());
  int stop = checkPairFileOptions(plan.options.file);
  if (stop != kCliGoOn) return stop;
  return kCliGoOn;
}

// Every option's row, and --help and --version.
std::vector<option> longOptions() {
  std::vector<option> table;
  addLongOptions(table, kSnapshotOptionRows);
  addLongOptions(table, kFigureOptionRows);
  addLongOptions(table, kPairFileOptionRows);
  addLongOptions(table, kViewOptionRows);
  table.push_back({"help", no_argument, nullptr, 'h'});
  table.push_back({"version", no_argument, nullptr, 'V'});
  table.push_back({nullptr, 0, nullptr, 0});
  return table;
}

int printUsage() {
  return cliPrintHelp((std::string(kSnapshotUsage) + "\n" + kFigureUsage).c_str(),
                      {optionsHelp(kSnapshotOptionRows).c_str(), pairFileOptionsHelp().c_str(),
                       viewOptionsHelp().c_str(), optionsHelp(kFigureOptionRows).c_str()});
}

}  // namespace

int planPictures(int argc, char** argv, std::vector<PicturePlan>& pictures) {
  const std::vector<option> table = longOptions();
  // Options before the first --out go to every picture, so they gather in the first plan;
  // each --out starts a picture from them.
  PicturePlan common;
  pictures.clear();
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, ":l:o:s:t:pw:z:c:f:hV", table.data(), nullptr)) != -1;) {
    c = viewOptionOfLetter(c);
    if (c == 'h') return printUsage();
    if (c == 'V') return cliPrintVersion();
    if (c == 'o') pictures.push_back(common);
    // The list is loaded once, so it and how it is read belong before the first --out.
    if (!pictures.empty() && c != 'o' && namesTheLoad(c))
      return cliUsageError("--list, --from, --chrom, --all-sequences, --fai, --preset and --threads apply to the "
                           "one load; give them before the first --out");
    int stop = takeOption(c, optarg, argv, pictures.empty() ? common : pictures.back());
    if (stop != kCliGoOn) return stop;
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  if (pictures.empty()) pictures.push_back(common);

  for (size_t i = 0; i < pictures.size(); ++i) {
    PicturePlan& plan = pictures[i];
    plan.svg = endsWith(plan.options.outPath, ".svg");
    int stop = checkPicture(plan);
    if (stop != kCliGoOn) return stop;
    for (size_t earlier = 0; earlier < i; ++earlier)
      if (sameOutputTarget(plan.options.outPath, pictures[earlier].options.outPath))
        return cliUsageError("two pictures would both be written to %s (as %s)", plan.options.outPath,
                             pictures[earlier].options.outPath);
  }
  return kCliGoOn;
}

const char kFigureUsage[] =
    "Figures:\n"
    "%s"
    "  --out FILE.svg     the same frame as SVG: bars and links as lines (points with\n"
    "                     --points), the floor as polygons, annotations, legends and the\n"
    "                     HUD's lines as text, the picked pair's bars\n"
    "\n"
    "Several pictures from one load: options before the first --out apply to every picture;\n"
    "each --out starts a picture and the options after it, up to the next --out, apply to it\n"
    "alone. The list and how it is read (--list, --from, --chrom, --all-sequences, --fai,\n"
    "--preset, --threads) are given once, before the first --out. Example:\n"
    "  quelvar-snapshot --list date.txt --fit --annotate --out side.png \\\n"
    "      --out side.svg --size 1600x900 --out top.png --camera 20,2,0,0\n"
    "\n"
    "Camera axes: x runs along the positions (one unit = 100,000 bases, times 0.9 per zoom\n"
    "step), y along the rows of bars, z up. Yaw 0 looks towards +y with +x to the right, 90\n"
    "towards -x; pitch 0 looks straight down, 90 level, 180 straight up; the height is 2.\n";
