#include "work_load.h"

#include <string>
#include <thread>

#include "cli_tool.h"
#include "fasta_pairs.h"
#include "line_reader.h"
#include "load_line.h"
#include "message_tee.h"
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

// Why the load failed, in the window until it is closed.
void showFailure(const ViewerOptions& options, const std::string& reason) {
  std::string heading = "Cannot open " + fileNameOf(options.file);
  int32_t exitCode = 0;
  while (!handleWaitingEvents(&exitCode)) {
    drawFailureScreen(heading.c_str(), reason.c_str());
    swapFrameBuffers();
    pauseThread(kWorkFrameMilliseconds);
  }
}

// A read error is said here; a refusal was said by the import (failure holds its last line,
// where the C library lets it be kept).
int endViewerLoad(const ViewerOptions& options, int answer, std::string failure) {
  if (answer == 0 || answer == kFastaCancelled) return answer;
  if (answer > 0) {
    failure = std::string("cannot read ") + options.file + ": " + readErrorText(answer);
    cliError("%s", failure.c_str());
  }
  const std::string importer = "quelvar-import: ";
  if (failure.compare(0, importer.size(), importer) == 0) failure.erase(0, importer.size());
  if (failure.empty()) failure = "it could not be loaded; standard error says why";
  showFailure(options, failure);
  return kViewerLoadFailed;
}

}  // namespace

int loadViewerFile(const ViewerOptions& options, int32_t& exitCode) {
  bool fasta = options.pairs.import.fasta;
  AlignWatch watch;
  LoadProgress progress;
  MessageTee tee;
  PairFileOptions pairs = options.pairs;
  if (!fasta) {
    pairs.messages = openMessageTee(tee);
    pairs.progress = &progress;
  }
  std::atomic<bool> done{false};
  int answer = 0;
  std::thread work([&] {
    answer = openNamedFile(options.file, pairs, 1, fasta ? &watch : nullptr);
    done = true;
  });
  std::string name = fileNameOf(options.file);
  std::string heading = fasta ? "Aligning " + name + " against itself" : "Opening " + name;
  // The records are being written: a click must not read them.
  holdPairInput(true);
  bool closed = false;
  while (!done) {
    if (!closed && handleWaitingEvents(&exitCode)) {
      closed = true;
      watch.cancel = true;
      if (fasta) break;  // a pair file's reading cannot be stopped: it ends soon anyway
    }
    double fraction = 0;
    std::string status;
    if (fasta) {
      std::lock_guard<std::mutex> hold(watch.lock);
      fraction = watch.fraction;
      status = watch.text.empty() ? "reading " + name : watch.text;
    } else {
      fraction = loadFraction(progress);
      status = describeLoad(name, progress);
    }
    if (!closed) {
      drawWorkScreen(heading.c_str(), status.c_str(), fraction);
      swapFrameBuffers();
    }
    pauseThread(kWorkFrameMilliseconds);
  }
  work.join();
  holdPairInput(false);
  if (!fasta) closeMessageTee(tee);
  if (closed) return kFastaCancelled;
  std::string failure = tee.lastLine;
  if (fasta) {
    std::lock_guard<std::mutex> hold(watch.lock);
    failure = watch.failure;
  }
  return endViewerLoad(options, answer, failure);
}
