#include "progress_line.h"

#include <algorithm>

#include <unistd.h>

namespace {

void writeLine(ProgressLine& progress, const std::string& text, bool end) {
  if (progress.terminal && end && text.empty()) {
    std::fputc('\n', progress.out);  // keep the last figures in sight above what follows
    progress.width = 0;
  } else if (progress.terminal) {
    std::string padding(progress.width > text.size() ? progress.width - text.size() : 0, ' ');
    std::fprintf(progress.out, "\r%s%s%s", text.c_str(), padding.c_str(), end ? "\n" : "");
    progress.width = end ? 0 : text.size();
  } else if (!text.empty()) {
    std::fprintf(progress.out, "%s\n", text.c_str());
  }
  std::fflush(progress.out);
}

}  // namespace

ProgressLine openProgress(FILE* out) {
  ProgressLine progress;
  progress.out = out;
  progress.terminal = out != nullptr && isatty(fileno(out));
  progress.start = progress.last = std::chrono::steady_clock::now();
  return progress;
}

double progressSeconds(const ProgressLine& progress) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - progress.start).count();
}

bool progressDue(const ProgressLine& progress) {
  if (progress.out == nullptr) return false;
  auto now = std::chrono::steady_clock::now();
  return now - progress.start >= std::chrono::seconds(1) && now - progress.last >= std::chrono::seconds(1);
}

void showProgress(ProgressLine& progress, const std::string& text) {
  if (progress.out == nullptr) return;
  writeLine(progress, text, false);
  progress.shown = true;
  progress.last = std::chrono::steady_clock::now();
}

void closeProgress(ProgressLine& progress, const std::string& text) {
  if (progress.out == nullptr) return;
  if (!progress.shown && (text.empty() || progressSeconds(progress) < 1)) return;
  writeLine(progress, text, true);
  progress.shown = false;
}

std::string formatBases(int64_t bases) {
  char text[32];
  if (bases < 1000000)
    std::snprintf(text, sizeof text, "%.0f kb", static_cast<double>(bases) / 1e3);
  else if (bases < 1000000000)
    std::snprintf(text, sizeof text, "%.2f Mb", static_cast<double>(bases) / 1e6);
  else
    std::snprintf(text, sizeof text, "%.2f Gb", static_cast<double>(bases) / 1e9);
  return text;
}

std::string formatSeconds(double seconds) {
  long whole = static_cast<long>(seconds + 0.5);
  char text[32];
  if (whole < 60)
    std::snprintf(text, sizeof text, "%ld s", whole);
  else if (whole < 3600)
    std::snprintf(text, sizeof text, "%ld min %02ld s", whole / 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%ld h %02ld min", whole / 3600, whole / 60 % 60);
  return text;
}

double timeLeft(TimeLeft& left, double now, double estimate) {
  if (left.toldAt >= 0) estimate = std::min(estimate, left.told + (now - left.toldAt));
  left.toldAt = now;
  left.told = estimate;
  return estimate;
}
