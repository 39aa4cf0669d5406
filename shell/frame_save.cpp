#include "frame_save.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "camera.h"
#include "cli_tool.h"
#include "frame_readback.h"
#include "input_format.h"
#include "output_file.h"
#include "png_encoder.h"
#include "view_options.h"
#include "view_state_instance.h"

namespace {

bool saveRequested = false;
int nextNumber = 0;  // no file below it is free; each save looks on from here
std::string listArgument = "date.txt";
std::string fileArguments;  // --from, --chrom, --all-sequences as given

// A word as a POSIX shell reads it back: quoted unless it holds only safe characters.
std::string shellWord(const std::string& word) {
  bool plain = !word.empty();
  for (char c : word)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_./:=,+-%@", c) != nullptr)) plain = false;
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

void rememberViewerSource(const ViewerOptions& options) {
  if (options.file != nullptr) listArgument = options.file;
  const PairFileOptions& pairs = options.pairs;
  fileArguments.clear();
  if (pairs.tandem) fileArguments += " --from tandem";
  if (pairs.import.from != InputFormat::Unknown) fileArguments += std::string(" --from ") + formatName(pairs.import.from);
  if (!pairs.import.chrom.empty()) fileArguments += " --chrom " + shellWord(pairs.import.chrom);
  if (pairs.import.allSequences) fileArguments += " --all-sequences";
}

void requestFrameSave() { saveRequested = true; }

void saveFrameIfRequested() {
  if (!saveRequested) return;
  saveRequested = false;
  std::vector<uint8_t> rgb;
  int32_t width = 0, height = 0;
  readFrameRgb(rgb, &width, &height);
  std::vector<uint8_t> png;
  if (!encodeRgbPng(rgb.data(), width, height, png)) {
    std::fprintf(stderr, "quelvar: cannot encode the picture\n");
    return;
  }
  std::string saved = writeNumberedFile("quelvar-%03d.png", nextNumber, png.data(), png.size());
  if (saved.empty()) return;  // said why
  const char* name = saved.c_str();
  ++nextNumber;
  if (width > kMostPictureSide || height > kMostPictureSide) {
    std::printf("saved %s: at %dx%d it is larger than quelvar-snapshot draws (%d a side at most), so no command "
                "draws it again\n",
                name, width, height, kMostPictureSide);
    cliFlushStdout();
    return;
  }
  std::printf("saved %s: quelvar-snapshot --list %s%s --size %dx%d %s\n", name, shellWord(listArgument).c_str(),
              fileArguments.c_str(), width, height, formatViewOptions(viewState, camera).c_str());
  cliFlushStdout();
}
