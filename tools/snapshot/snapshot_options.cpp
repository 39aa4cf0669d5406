#include "snapshot_options.h"

#include <getopt.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli_tool.h"
#include "pair_file_options.h"

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
    "  -t, --threshold T         bars are drawn when their scaled length (0 to 7) is above T\n"
    "                            (default 0.03)\n"
    "  -p, --points              points instead of lines\n"
    "      --no-floor            no floor\n"
    "  -w, --window-start N      window mode, showing the pairs that touch N..N+100000\n"
    "  -z, --zoom-steps N        compress the axis as N presses of N would (0 to 10000)\n"
    "  -c, --camera X,Y,PITCH,YAW\n"
    "                            camera position and angles in degrees: pitch 0 looks straight\n"
    "                            down, 90 level; yaw turns about the vertical axis; the height\n"
    "                            stays 2 (start camera -1,-1,70,-60)\n"
    "  -f, --frames N            render N times and print frame_ms on standard error\n"
    "  -h, --help                show this help and exit\n"
    "  -V, --version             show the version and exit\n"
    "\n"
    "Exit status: 0 when the list was read whole and the picture written; 1 when the list\n"
    "could not be read (the summary is still printed, no picture is written), no OpenGL\n"
    "context could be had, or the picture could not be written; 2 for bad arguments or an\n"
    "output that is not a regular file or is the list itself.\n";

namespace {

// Reads one finite float that ends at stop (or the end of the text); moves text past it.
bool readFloat(const char*& text, char stop, float& value) {
  char* end = nullptr;
  float v = std::strtof(text, &end);
  if (end == text || !std::isfinite(v)) return false;
  if (*end != stop) return false;
  value = v;
  text = *end == '\0' ? end : end + 1;
  return true;
}

bool readSize(const char* text, int& width, int& height) {
  const char* cross = std::strchr(text, 'x');
  if (cross == nullptr || cross == text) return false;
  char widthText[16];
  size_t n = static_cast<size_t>(cross - text);
  if (n >= sizeof widthText) return false;
  std::memcpy(widthText, text, n);
  widthText[n] = '\0';
  int64_t w = 0, h = 0;
  if (!parseCliInteger(widthText, 1, 8192, w) || !parseCliInteger(cross + 1, 1, 8192, h)) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool readCamera(const char* text, SnapshotOptions& options) {
  return readFloat(text, ',', options.camX) && readFloat(text, ',', options.camY) &&
         readFloat(text, ',', options.pitch) && readFloat(text, '\0', options.yaw);
}

}  // namespace

int parseSnapshotOptions(int argc, char** argv, SnapshotOptions& options) {
  enum { kNoFloor = 256 };
  static const option kOptions[] = {
      {"list", required_argument, nullptr, 'l'},
      {"out", required_argument, nullptr, 'o'},
      {"size", required_argument, nullptr, 's'},
      {"threshold", required_argument, nullptr, 't'},
      {"points", no_argument, nullptr, 'p'},
      {"no-floor", no_argument, nullptr, kNoFloor},
      {"window-start", required_argument, nullptr, 'w'},
      {"zoom-steps", required_argument, nullptr, 'z'},
      {"camera", required_argument, nullptr, 'c'},
      {"frames", required_argument, nullptr, 'f'},
      QUELVAR_PAIR_FILE_LONG_OPTIONS,
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, "+:l:o:s:t:pw:z:c:f:hV", kOptions, nullptr)) != -1;) {
    int64_t number = 0;
    double real = 0;
    switch (c) {
      case 'l': options.listPath = optarg; break;
      case 'o':
        if (*optarg == '\0') return cliUsageError("--out needs a file name");
        options.outPath = optarg;
        break;
      case 's':
        if (!readSize(optarg, options.width, options.height))
          return cliUsageError("--size wants WxH, each 1 to 8192, not '%s'", optarg);
        break;
      case 't':
        if (!parseCliNumber(optarg, -3.4e38, 3.4e38, real))
          return cliUsageError("--threshold wants a finite number, not '%s'", optarg);
        options.view.threshold = static_cast<float>(real);
        break;
      case 'p': options.view.pointStyle = true; break;
      case kNoFloor: options.view.showFloor = false; break;
      case 'w':
        if (!parseCliInteger(optarg, INT32_MIN, INT32_MAX, number))
          return cliUsageError("--window-start wants a 32-bit integer, not '%s'", optarg);
        options.view.windowMode = true;
        options.view.windowStart = static_cast<int32_t>(number);
        break;
      case 'z':
        if (!parseCliInteger(optarg, 0, 10000, number))
          return cliUsageError("--zoom-steps wants a count from 0 to 10000, not '%s'", optarg);
        options.zoomSteps = static_cast<int32_t>(number);
        break;
      case 'c':
        if (!readCamera(optarg, options))
          return cliUsageError("--camera wants X,Y,PITCH,YAW, four finite numbers, not '%s'", optarg);
        options.cameraGiven = true;
        break;
      case 'f':
        if (!parseCliInteger(optarg, 1, 1000000, number))
          return cliUsageError("--frames wants a count from 1 to 1000000, not '%s'", optarg);
        options.frames = static_cast<int>(number);
        options.timed = true;
        break;
      case 'h': {
        std::string usage = kSnapshotUsage;
        usage.replace(usage.find("%s"), 2, kPairFileOptionsHelp);
        return cliPrintHelp(usage.c_str());
      }
      case 'V': return cliPrintVersion();
      default: {
        if (!isPairFileOption(c)) return cliBadOption(c, argv);
        int stop = takePairFileOption(c, optarg, options.file);
        if (stop != kCliGoOn) return stop;
      }
    }
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  return checkPairFileOptions(options.file);
}
