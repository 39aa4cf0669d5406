#include "snapshot_options.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli_tool.h"
#include "option_words.h"

const char kSnapshotUsage[] =
    "Usage: quelvar-snapshot [OPTIONS]\n"
    "Starts up as the viewer does, loads a tandem list or any pair file quelvar-import reads,\n"
    "renders the frame the viewer would show through an offscreen OpenGL context and writes\n"
    "it as an RGB PNG.\n"
    "\n"
    "%s"
    "%s"
    "%s"
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

bool takeList(SnapshotOptions& options, const char* value, std::string&) {
  options.listPath = value;
  options.file.named = true;
  options.listGiven = true;
  return true;
}
void writeList(const SnapshotOptions& options, std::string& line) {
  if (options.listGiven) writeValue(line, "list", options.listPath);
}

bool takeOut(SnapshotOptions& options, const char* value, std::string& error) {
  if (*value == '\0') return refuseOption(error, "--out needs a file name");
  options.outPath = value;
  return true;
}
void writeOut(const SnapshotOptions& options, std::string& line) { writeValue(line, "out", options.outPath); }

bool takeSize(SnapshotOptions& options, const char* value, std::string& error) {
  if (!readSize(value, options.width, options.height))
    return refuseOption(error, "--size wants WxH, each 1 to 8192, not '%s'", value);
  return true;
}
void writeSize(const SnapshotOptions& options, std::string& line) {
  writeValue(line, "size", std::to_string(options.width) + "x" + std::to_string(options.height));
}

bool takeFrames(SnapshotOptions& options, const char* value, std::string& error) {
  int64_t number = 0;
  if (!parseCliInteger(value, 1, 1000000, number))
    return refuseOption(error, "--frames wants a count from 1 to 1000000, not '%s'", value);
  options.frames = static_cast<int>(number);
  options.timed = true;
  return true;
}
void writeFrames(const SnapshotOptions& options, std::string& line) {
  if (options.timed) writeValue(line, "frames", std::to_string(options.frames));
}

const OptionRow<SnapshotOptions> kRows[] = {
    {"list", true, 'l', takeList, writeList,
     "  -l, --list FILE           the tandem list or pair file (default date.txt)\n"},
    {"out", true, 'o', takeOut, writeOut,
     "  -o, --out FILE.png        the picture (default snapshot.png); written under a\n"
     "                            temporary name and renamed, so a failed run keeps the old one\n"},
    {"size", true, 's', takeSize, writeSize,
     "  -s, --size WxH            picture size, each 1 to 8192 (default 992x573, the viewer's\n"
     "                            client area)\n"},
    {"frames", true, 'f', takeFrames, writeFrames,
     "  -f, --frames N            render N times and print frame_ms on standard error\n"},
};

}  // namespace

const OptionRows<SnapshotOptions> kSnapshotOptionRows = optionRows(kRows);

bool isSnapshotOption(int option) { return kSnapshotOptionRows.find(option) != nullptr; }

int takeSnapshotOption(int option, const char* value, SnapshotOptions& options) {
  const OptionRow<SnapshotOptions>* row = kSnapshotOptionRows.find(option);
  std::string error;
  if (row != nullptr && !row->take(options, value, error)) return cliUsageError("%s", error.c_str());
  return kCliGoOn;
}
