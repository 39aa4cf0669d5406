#include "figure_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool startsPicture(const char* arg) { return std::strcmp(arg, "--out") == 0 || std::strncmp(arg, "--out=", 6) == 0; }

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
  std::vector<char*> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
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

bool planPictures(int argc, char** argv, std::vector<PictureSpec>& pictures, std::string& error) {
  std::vector<char*> common;
  std::vector<std::vector<char*>> own;
  for (int i = 1; i < argc; ++i) {
    if (startsPicture(argv[i])) own.emplace_back();
    (own.empty() ? common : own.back()).push_back(argv[i]);
  }
  if (own.empty()) own.emplace_back();

  pictures.clear();
  for (auto& picture : own) {
    std::vector<char*> args = common;
    args.insert(args.end(), picture.begin(), picture.end());
    PictureSpec spec;
    if (!takeFigureOptions(args, spec.figure, error)) {
      error = "quelvar-snapshot: " + error;
      return false;
    }
    args.insert(args.begin(), argv[0]);
    args.push_back(nullptr);
    char reason[512];
    if (!parseSnapshotOptions(static_cast<int>(args.size()) - 1, args.data(), spec.options, reason, sizeof reason)) {
      error = reason;
      return false;
    }
    spec.svg = endsWith(spec.options.outPath, ".svg");
    if (!pictures.empty() && std::strcmp(spec.options.listPath, pictures.front().options.listPath) != 0) {
      error = "quelvar-snapshot: one list is loaded for all pictures; give --list before the first --out";
      return false;
    }
    pictures.push_back(spec);
  }
  return true;
}

const char kFigureUsage[] =
    "Figures:\n"
    "  --fit              camera side-on, the loaded range across the width and the tallest\n"
    "                     bar in the height (picks the zoom steps unless --zoom-steps N > 0)\n"
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
    "alone. --list is given once, before the first --out. Example:\n"
    "  quelvar-snapshot --list date.txt --fit --annotate --out side.png \\\n"
    "      --out side.svg --size 1600x900 --out top.png --camera 20,2,0,0\n"
    "\n"
    "Camera: --camera X,Y,PITCH,YAW puts the camera at (X, Y) at height 2 (it never changes);\n"
    "x runs along the positions (one unit = 100,000 bases, times 0.9 per zoom step), y along\n"
    "the rows of bars, z up. PITCH 0 looks straight down, 90 level, 180 straight up. YAW\n"
    "turns about z: 0 looks towards +y with +x to the right, 90 towards -x. The viewer\n"
    "starts at -1,-1,70,-60.\n";
