#include "frame_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <stb_image_write.h>

#include "camera.h"
#include "cli_tool.h"
#include "frame_readback.h"
#include "input_format.h"
#include "view_options.h"
#include "view_state_instance.h"

namespace {

bool saveRequested = false;
int nextNumber = 0;  // no file below it is free; each save looks on from here
std::string listArgument = "date.txt";
std::string fileArguments;  // --from, --chrom, --all-sequences as given

#ifdef _WIN32
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL;
#endif

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

void collectBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// Creates the next free quelvar-NNN.png, never one that exists. Returns its descriptor or
// -1 with errno set.
int createNextPicture(char* name, size_t room) {
  for (;; ++nextNumber) {
    std::snprintf(name, room, "quelvar-%03d.png", nextNumber);
    int fd = open(name, kCreateFlags, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    auto wrote = write(fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
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
  if (width <= 0 || height <= 0 ||
      stbi_write_png_to_func(collectBytes, &png, width, height, 3, rgb.data(), width * 3) == 0) {
    std::fprintf(stderr, "quelvar: cannot encode the picture\n");
    return;
  }
  char name[32];
  int fd = createNextPicture(name, sizeof name);
  if (fd < 0) {
    std::fprintf(stderr, "quelvar: cannot create %s: %s\n", name, std::strerror(errno));
    return;
  }
  bool written = writeAll(fd, png);
  int error = errno;
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    std::remove(name);  // a picture cut short is no picture
    std::fprintf(stderr, "quelvar: cannot write %s: %s\n", name, std::strerror(error));
    return;
  }
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
