#include "figure_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <getopt.h>

#include "cli_tool.h"
#include "output_file.h"
#include "pair_file_options.h"
#include "view_options.h"

namespace {

// --out, -o, and the prefixes of --out that getopt_long takes for it, each with its value
// attached or in the next argument.
bool startsPicture(const char* arg) {
  if (std::strncmp(arg, "-o", 2) == 0) return true;
  for (const char* name : {"--o", "--ou", "--out"}) {
    size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) == 0 && (arg[n] == '\0' || arg[n] == '=')) return true;
  }
  return false;
}

bool asksForHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

bool endsWith(const std::string& text, const char* tail) {
  size_t n = std::strlen(tail);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
  return true;
}

// Takes the figure options out of args into figure, leaving the rest in order. A name may
// carry its value after '=' or in the next argument.
bool takeFigureOptions(std::vector<char*>& args, FigureOptions& figure, std::string& error) {
  bool afterOptions = false;
  std::vector<char*> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "--") afterOptions = true;
    if (afterOptions) {
      rest.push_back(args[i]);
      continue;
    }
    std::string name = arg, value;
    bool inlineValue = false;
    size_t eq = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      inlineValue = true;
    }
    auto needValue = [&]() {
      if (inlineValue) return true;
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    if (name == "--fit" && !inlineValue) {
      figure.fit = true;
    } else if (name == "--annotate" && !inlineValue) {
      figure.annotate = true;
    } else if (name == "--background") {
      if (!needValue()) return false;
      if (value == "white")
        figure.whiteBackground = true;
      else if (value == "sky")
        figure.whiteBackground = false;
      else {
        error = "--background wants white or sky, not '" + value + "'";
        return false;
      }
    } else if (name == "--max-len") {
      if (!needValue()) return false;
      char* end = nullptr;
      errno = 0;
      long long bp = std::strtoll(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || errno != 0 || bp < 1 || bp > INT32_MAX) {
        error = "--max-len wants a length in bases from 1 to 2147483647, not '" + value + "'";
        return false;
      }
      figure.maxLen = bp;
    } else if (name == "--title") {
      if (!needValue()) return false;
      figure.title = value;
    } else {
      rest.push_back(args[i]);
    }
  }
  args = rest;
  return true;
}

// Parses args (no program name) as the snapshot's options.
int parseAlone(char* program, std::vector<char*> args, SnapshotOptions& options) {
  args.insert(args.begin(), program);
  args.push_back(nullptr);
  optind = 0;  // every set of arguments is parsed afresh
  return parseSnapshotOptions(static_cast<int>(args.size()) - 1, args.data(), options);
}

bool namesTheLoad(const SnapshotOptions& options) {
  const PairFileOptions& file = options.file;
  return options.listGiven || file.tandem || file.import.from != InputFormat::Unknown || !file.import.chrom.empty() ||
         file.import.allSequences;
}

// What an SVG picture cannot show yet is refused rather than left out.
int checkSvgOptions(const PicturePlan& plan) {
  if (!plan.svg) return kCliGoOn;
  const ViewOptions& view = plan.options;
  const char* shown = view.view.hud ? "--hud" : view.view.showLinks ? "--links" : view.pickGiven ? "--pick" : nullptr;
  if (shown == nullptr) return kCliGoOn;
  return cliUsageError("%s is not drawn in SVG pictures; leave it out for %s (a PNG picture shows it)", shown,
                       plan.options.outPath);
}

}  // namespace

int planPictures(int argc, char** argv, std::vector<PicturePlan>& pictures) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (asksForHelp(argv[i])) {
      std::string usage = kSnapshotUsage;
      usage.replace(usage.find("%s"), 2, kPairFileOptionsHelp);
      usage.replace(usage.find("%s"), 2, kViewOptionsHelp);
      return cliPrintHelp((usage + "\n" + kFigureUsage).c_str());
    }

  std::vector<char*> common;
  std::vector<std::vector<char*>> own;
  for (int i = 1; i < argc; ++i) {
    if (startsPicture(argv[i])) own.emplace_back();
    (own.empty() ? common : own.back()).push_back(argv[i]);
  }
  if (own.empty()) own.emplace_back();

  pictures.clear();
  for (auto& picture : own) {
    // The list is loaded once, so it and how it is read belong before the first --out: a
    // picture's own options, read alone, must not name them.
    std::vector<char*> alone = picture;
    FigureOptions ignored;
    std::string error;
    if (!takeFigureOptions(alone, ignored, error)) return cliUsageError("%s", error.c_str());
    SnapshotOptions aloneOptions;
    int stop = parseAlone(argv[0], alone, aloneOptions);
    if (stop != kCliGoOn) return stop;
    if (namesTheLoad(aloneOptions))
      return cliUsageError("--list, --from, --chrom and --all-sequences apply to the one load; "
                           "give them before the first --out");

    std::vector<char*> args = common;
    args.insert(args.end(), picture.begin(), picture.end());
    PicturePlan plan;
    if (!takeFigureOptions(args, plan.figure, error)) return cliUsageError("%s", error.c_str());
    stop = parseAlone(argv[0], args, plan.options);
    if (stop != kCliGoOn) return stop;
    plan.svg = endsWith(plan.options.outPath, ".svg");
    stop = checkSvgOptions(plan);
    if (stop != kCliGoOn) return stop;
    for (const PicturePlan& earlier : pictures)
      if (sameOutputTarget(plan.options.outPath, earlier.options.outPath))
        return cliUsageError("two pictures would both be written to %s (as %s)", plan.options.outPath,
                             earlier.options.outPath);
    pictures.push_back(plan);
  }
  return kCliGoOn;
}

const char kFigureUsage[] =
    "Figures:\n"
    "  --fit              camera side-on in place of --camera: the drawn range across the\n"
    "                     width, the tallest bar in the height (the zoom steps are chosen\n"
    "                     too, unless --zoom-steps N > 0 is given)\n"
    "  --background white|sky   white for print (default sky, the viewer's light blue)\n"
    "  --max-len BP       bar height = 7 x length / BP, clipped at 7, so pictures of different\n"
    "                     lists compare (default: the list's longest pair is 7)\n"
    "  --annotate         position ticks along the axis (kb, Mb) and a legend saying what bar\n"
    "                     height means in bases; text scales with --size\n"
    "  --title TEXT       a title at the top, cut to the picture's width with an ellipsis\n"
    "  --out FILE.svg     the same frame as SVG: bars as lines (points with --points), the\n"
    "                     floor as polygons, annotations as text (not yet --hud, --links\n"
    "                     or --pick, which are refused)\n"
    "\n"
    "Several pictures from one load: options before the first --out apply to every picture;\n"
    "each --out starts a picture and the options after it, up to the next --out, apply to it\n"
    "alone. The list and how it is read (--list, --from, --chrom, --all-sequences) are given\n"
    "once, before the first --out. Example:\n"
    "  quelvar-snapshot --list date.txt --fit --annotate --out side.png \\\n"
    "      --out side.svg --size 1600x900 --out top.png --camera 20,2,0,0\n"
    "\n"
    "Camera axes: x runs along the positions (one unit = 100,000 bases, times 0.9 per zoom\n"
    "step), y along the rows of bars, z up. Yaw 0 looks towards +y with +x to the right, 90\n"
    "towards -x; pitch 0 looks straight down, 90 level, 180 straight up; the height is 2.\n";
