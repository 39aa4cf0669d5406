#include "frame_save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "camera.h"
#include "cli_tool.h"
#include "frame_readback.h"
#include "option_words.h"
#include "output_file.h"
#include "pair_file_options.h"
#include "png_encoder.h"
#include "view_options.h"
#include "view_state_instance.h"

namespace {

bool saveRequested = false;
int nextNumber = 0;  // no file below it is free; each save looks on from here
std::string listArgument;  // the FILE named; none for date.txt
std::string fileArguments;  // every load option's row, as given

}  // namespace

void rememberViewerSource(const ViewerOptions& options) {
  if (options.file != nullptr) listArgument = options.file;
  fileArguments.clear();
  writeOptions(kPairFileOptionRows, options.pairs, fileArguments);
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
  // The list, how it was read, the size, then every view option's row. Without a FILE the
  // snapshot reads date.txt into the fixed table as this viewer did, so the places match to
  // the pixel; --list would read it as a named file.
  std::string list = listArgument.empty() ? "" : " --list " + shellWord(listArgument);
  std::string command = "quelvar-snapshot" + list + fileArguments + " --size " + std::to_string(width) + "x" +
                        std::to_string(height);
  writeOptions(kViewOptionRows, viewOptionsOf(viewState, camera), command);
  std::printf("saved %s: %s\n", name, command.c_str());
  cliFlushStdout();
}
