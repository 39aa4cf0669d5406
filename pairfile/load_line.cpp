#include "load_line.h"

#include <chrono>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "progress_line.h"
#include "sequence_places.h"

uint64_t inputTextSize(const NamedInput& input) {
  struct stat info;
  if (!input.regular || input.reader.gzip != nullptr || fstat(input.fd, &info) != 0) return 0;
  return static_cast<uint64_t>(info.st_size);
}

double loadFraction(const LoadProgress& progress) {
  if (progress.size == 0) return 0;
  double fraction = static_cast<double>(progress.bytes.load()) / static_cast<double>(progress.size);
  return fraction < 1 ? fraction : 1;
}

std::string describeLoad(const std::string& name, const LoadProgress& progress) {
  uint64_t lines = progress.lines.load();
  std::string text = "reading " + name + ": ";
  if (lines > 0)
    text += groupedNumber(static_cast<int64_t>(lines)) + (lines == 1 ? " line" : " lines");
  else
    text += groupedNumber(static_cast<int64_t>(progress.bytes.load() >> 20)) + " MiB";
  if (progress.size > 0) text += " (" + std::to_string(static_cast<int>(loadFraction(progress) * 100)) + "%)";
  return text;
}

void startLoadLine(LoadLine& line, const std::string& name, const LoadProgress& progress) {
  line.stop = false;
  if (!isatty(fileno(stderr))) return;
  line.thread = std::thread([&line, name, &progress] {
    ProgressLine shown = openProgress(stderr);
    std::unique_lock<std::mutex> hold(line.lock);
    while (!line.stopped.wait_for(hold, std::chrono::milliseconds(250), [&] { return line.stop; }))
      if (progressDue(shown)) showProgress(shown, describeLoad(name, progress));
    closeProgress(shown, "");
  });
}

void stopLoadLine(LoadLine& line) {
  if (!line.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> hold(line.lock);
    line.stop = true;
  }
  line.stopped.notify_all();
  line.thread.join();
}
