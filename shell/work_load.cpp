#include "work_load.h"

#include <string>
#include <thread>

#include "fasta_pairs.h"
#include "platform.h"
#include "window_events.h"
#include "work_screen.h"

namespace {

// Often enough for a bar that moves, rarely enough to leave the cores to the aligner.
constexpr uint32_t kWorkFrameMilliseconds = 50;

std::string fileNameOf(const char* path) {
  std::string name = path;
  size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

int loadViewerFile(const ViewerOptions& options, int32_t& exitCode) {
  if (!options.pairs.import.fasta) return openNamedFile(options.file, options.pairs, 1, nullptr);
  AlignWatch watch;
  std::atomic<bool> done{false};
  int answer = 0;
  std::thread work([&] {
    answer = openNamedFile(options.file, options.pairs, 1, &watch);
    done = true;
  });
  std::string heading = "Aligning " + fileNameOf(options.file) + " against itself";
  // The records are being written: a click must not read them.
  holdPairInput(true);
  bool closed = false;
  while (!done) {
    if (handleWaitingEvents(&exitCode)) {
      closed = true;
      watch.cancel = true;
      break;
    }
    double fraction = 0;
    std::string status;
    {
      std::lock_guard<std::mutex> hold(watch.lock);
      fraction = watch.fraction;
      status = watch.text.empty() ? "reading " + fileNameOf(options.file) : watch.text;
    }
    drawWorkScreen(heading.c_str(), status.c_str(), fraction);
    swapFrameBuffers();
    pauseThread(kWorkFrameMilliseconds);
  }
  work.join();
  holdPairInput(false);
  return closed ? kFastaCancelled : answer;
}
