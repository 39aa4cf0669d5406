#include "figure_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <getopt.h>

#include "cli_tool.h"
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
  // The list is loaded once, so how it is read belongs before the first --out.
  for (const auto& picture : own)
    for (const char* arg : picture)
      for (const char* name : {"--from", "--chrom", "--all-sequences"})
        if (std::strncmp(arg, name, std::strlen(name)) == 0)
          return cliUsageError("%s applies to the one load; give it before the first --out", name);

  pictures.clear();
  for (auto& picture : own) {
    std::vector<char*> args = common;
    args.insert(args.end(), picture.begin(), picture.end());
    PicturePlan plan;
    std::string error;
    if (!takeFigureOptions(args, plan.figure, error)) return cliUsageError("%s", error.c_str());
    args.insert(args.begin(), argv[0]);
    args.push_back(nullptr);
    optind = 0;  // every picture's arguments are parsed afresh
    int stop = parseSnapshotOptions(static_cast<int>(args.size()) - 1, args.data(), plan.options);
    if (stop != kCliGoOn) return stop;
    plan.svg = endsWith(plan.options.outPath, ".svg");
    for (const PicturePlan& earlier : pictures) {
      if (std::strcmp(plan.options.listPath, earlier.options.listPath) != 0)
        return cliUsageError("one list is loaded for all pictures; give --list before the first --out");
      if (std::strcmp(plan.options.outPath, earlier.options.outPath) == 0)
        return cliUsageError("two pictures would both be written to %s", plan.options.outPath);
    }
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
    "  --title TEXT       a title at the top\n"
    "  --out FILE.svg     the same frame as SVG: bars as lines (points with --points), the\n"
    "                     floor as polygons, annotations as text\n"
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
