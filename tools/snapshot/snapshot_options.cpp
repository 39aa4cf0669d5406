#include "snapshot_options.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli_tool.h"

const char kSnapshotUsage[] =
    "Usage: quelvar-snapshot [OPTIONS]\n"
    "Starts up as the viewer does, loads a tandem list or any pair file quelvar-import reads,\n"
    "renders the frame the viewer would show through an offscreen OpenGL context and writes\n"
    "it as an RGB PNG.\n"
    "\n"
    "  -l, --list FILE           the tandem list or pair file (default date.txt)\n"
    "%s"
    "  -o, --out FILE.png        the picture (default snapshot.png); written under a\n"
    "                            temporary name and renamed, so a failed run keeps the old one\n"
    "  -s, --size WxH            picture size, each 1 to 8192 (default 992x573, the viewer's\n"
    "                            client area)\n"
    "%s"
    "  -f, --frames N            render N times and print frame_ms on standard error\n"
    "  -h, --help                show this help and exit\n"
    "  -V, --version             show the version and exit\n"
    "\n"
    "Exit status: 0 when the list was read whole and the picture written; 1 when the list\n"
    "could not be read (no picture is written; a named --list is refused before the summary),\n"
    "no OpenGL context could be had, or the picture could not be written; 2 for bad arguments\n"
    "or an output that is not a regular file or is the list itself.\n";

namespace {

bool readSize(const char* text, int& width, int& height) {
  const char* cross = std::strchr(text, 'x');
  if (cross == nullptr || cross == text) return false;
  char widthText[16];
  size_t n = static_cast<size_t>(cross - text);
  if (n >= sizeof widthText) return false;
  std::memcpy(widthText, text, n);
  widthText[n] = '\0';
  int64_t w = 0, h = 0;
  if (!parseCliInteger(widthText, 1, kMostPictureSide, w) || !parseCliInteger(cross + 1, 1, kMostPictureSide, h))
    return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace

bool isSnapshotOption(int option) { return option == 'l' || option == 'o' || option == 's' || option == 'f'; }

int takeSnapshotOption(int option, const char* value, SnapshotOptions& options) {
  int64_t number = 0;
  switch (option) {
    case 'l':
      options.listPath = value;
      options.file.named = true;
      options.listGiven = true;
      break;
    case 'o':
      if (*value == '\0') return cliUsageError("--out needs a file name");
      options.outPath = value;
      break;
    case 's':
      if (!readSize(value, options.width, options.height))
        return cliUsageError("--size wants WxH, each 1 to 8192, not '%s'", value);
      break;
    case 'f':
      if (!parseCliInteger(value, 1, 1000000, number))
        return cliUsageError("--frames wants a count from 1 to 1000000, not '%s'", value);
      options.frames = static_cast<int>(number);
      options.timed = true;
      break;
    default: break;
  }
  return kCliGoOn;
}
