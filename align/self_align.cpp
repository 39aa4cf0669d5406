#include "self_align.h"

#include <sched.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "align_estimate.h"
#include "align_job.h"
#include "fasta_scan.h"
#include "minimap_options.h"
#include "progress_line.h"

namespace {

// How often the caller looks at the cancel flag while the job runs.
constexpr std::chrono::milliseconds kPoll(100);
// How long a cancelled run waits for the sequences in flight before leaving them to the job.
constexpr std::chrono::milliseconds kCancelGrace(900);

bool cancelled(const SelfAlignOptions& options) {
  return options.cancel != nullptr && options.cancel->load();
}

struct ScanWatch {
  const SelfAlignOptions* options;
  ProgressLine* progress;
  const char* path;
  int64_t fileBytes;
  void* statusContext;
  std::chrono::steady_clock::time_point lastStatus;
  RepeatSample sample;
};

void sampleScanned(void* context, size_t record, char base) {
  sampleBase(static_cast<ScanWatch*>(context)->sample, record, base);
}

bool statusDue(ScanWatch& watch) {
  auto now = std::chrono::steady_clock::now();
  if (now - watch.lastStatus < kPoll) return false;
  watch.lastStatus = now;
  return true;
}

std::string readingText(const ScanWatch& watch, int64_t bytesRead) {
  char text[160];
  std::snprintf(text, sizeof text, "reading %s: %.0f of %.0f MB, %s", watch.path, static_cast<double>(bytesRead) / 1e6,
                static_cast<double>(watch.fileBytes) / 1e6, formatSeconds(progressSeconds(*watch.progress)).c_str());
  return text;
}

bool scanTick(void* context, int64_t bytesRead) {
  ScanWatch& watch = *static_cast<ScanWatch*>(context);
  if (cancelled(*watch.options)) return false;
  if (watch.options->status != nullptr && statusDue(watch))
    watch.options->status(watch.statusContext, 0, readingText(watch, bytesRead));
  if (progressDue(*watch.progress)) showProgress(*watch.progress, readingText(watch, bytesRead));
  return true;
}

// Whatever way the caller leaves, the job maps nothing more for it.
struct StopOnExit {
  std::shared_ptr<AlignJob> job;
  ~StopOnExit() {
    job->stop = true;
    std::lock_guard<std::mutex> hold(job->lock);
    job->forWorkers.notify_all();
  }
};

struct Figures {
  bool indexing;
  int part;
  int64_t sequencesDone, basesDone, alignments;
};

// How much of the alignment is done, 0 to 1: the index parts before this one and the bases
// mapped against it. While the next part is indexed, every part so far is done: the
// fraction must not fall back to nothing between two parts, nor after the last.
double doneFraction(const AlignJob& job, const FastaScan& scan, const Figures& now) {
  if (now.part == 0 || scan.bases <= 0) return 0;
  int64_t batch = static_cast<int64_t>(std::max<uint64_t>(job.indexOptions.batch_size, 1));
  int parts = std::max<int>(now.part, static_cast<int>((scan.bases + batch - 1) / batch));
  double done = now.indexing ? static_cast<double>(now.part) * static_cast<double>(scan.bases)
                             : static_cast<double>(now.part - 1) * static_cast<double>(scan.bases) +
                                   static_cast<double>(now.basesDone);
  return std::min(1.0, done / (static_cast<double>(parts) * static_cast<double>(scan.bases)));
}

std::string progressText(const AlignJob& job, const FastaScan& scan, const Figures& now, double seconds,
                         double alignSeconds, TimeLeft& left, const AlignEstimate& estimate) {
  int64_t batch = static_cast<int64_t>(std::max<uint64_t>(job.indexOptions.batch_size, 1));
  int parts = std::max<int>(now.part, static_cast<int>((scan.bases + batch - 1) / batch));
  std::string partText = parts > 1 ? " (index part " + std::to_string(std::max(now.part, 1)) + " of about " +
                                         std::to_string(parts) + ")"
                                   : "";
  if (now.indexing || now.part == 0)
    return "indexing " + job.path + ": " + std::to_string(scan.sequences.size()) + " sequences, " +
           formatBases(scan.bases) + partText + ", " + formatSeconds(seconds) + " (aligning it with minimap2 -c -X, about " +
           formatSeconds(estimate.seconds) + " in all)";
  std::string text = "aligning " + job.path + ": " + std::to_string(now.sequencesDone) + " of " +
                     std::to_string(scan.sequences.size()) + " sequences, " + formatBases(now.basesDone) + " of " +
                     formatBases(scan.bases) + partText + ", " + formatSeconds(seconds);
  double fraction = doneFraction(job, scan, now);
  if (fraction > 0 && alignSeconds > 0)
    text += ", about " + formatSeconds(timeLeft(left, seconds, alignSeconds * (1 - fraction) / fraction)) + " left";
  else
    text += ", about " + formatSeconds(estimate.seconds) + " in all by its length and repeats";
  return text;
}

// Hands the lines of text to the sink; false when cancelled on the way.
bool deliver(const std::string& text, void (*line)(void*, std::string_view), void* context,
             const SelfAlignOptions& options) {
  size_t start = 0;
  while (start < text.size()) {
    if (cancelled(options)) return false;
    size_t end = text.find('\n', start);
    line(context, std::string_view(text).substr(start, end - start));
    start = end + 1;
  }
  return true;
}

bool cancelJob(AlignJob& job, ProgressLine& progress, std::string& error) {
  job.stop = true;
  std::unique_lock<std::mutex> hold(job.lock);
  job.forWorkers.notify_all();
  job.forCaller.wait_for(hold, kCancelGrace, [&] { return job.finished; });
  closeProgress(progress, "");
  error = "cancelled";
  return false;
}

}  // namespace

bool knownAlignPreset(const std::string& preset, std::string* why) {
  mm_idxopt_t index;
  mm_mapopt_t map;
  std::string error;
  bool known = setSelfAlignOptions(preset, index, map, error);
  if (why != nullptr) *why = error;
  return known;
}

int defaultAlignThreads() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool selfAlignFasta(const char* path, const SelfAlignOptions& options, void (*line)(void*, std::string_view),
                    void* context, std::vector<FastaSequence>& sequences, std::string& error) {
  sequences.clear();
  error.clear();
  auto job = std::make_shared<AlignJob>();
  job->path = path;
  job->readPath = options.readFrom.empty() ? path : options.readFrom;
  // libminimap2 writes its warnings straight to standard error; what matters is checked
  // here and said in the program's own words.
  mm_verbose = 0;
  job->threads = options.threads > 0 ? options.threads : defaultAlignThreads();
  if (!setSelfAlignOptions(options.preset, job->indexOptions, job->mapOptions, error)) return false;

  ProgressLine progress = openProgress(options.progress);
  FastaScan scan;
  ScanWatch watch{&options, &progress, path, 0, context, {}, {}};
  if (!scanFasta(path, scan, scanTick, &watch, error, job->readPath.c_str(), BaseSink{sampleScanned, &watch})) {
    closeProgress(progress, "");
    return false;
  }
  sequences = scan.sequences;
  job->expected = scan.sequences;
  AlignEstimate estimate = estimateAlignment(watch.sample, scan.bases, job->threads);
  watch.sample = RepeatSample{};
  // Said at once only when it will be long: the one case where the choice matters.
  if (options.progress != nullptr && estimate.seconds > kLongAlignSeconds)
    std::fprintf(options.progress, "%s\n", alignRouteText(path, scan.bases, estimate).c_str());
  if (options.sequencesRead != nullptr && !options.sequencesRead(context, sequences)) {
    closeProgress(progress, "");
    return false;
  }

  startAlignJob(job);
  StopOnExit stopOnExit{job};
  double alignStart = -1;
  TimeLeft left;
  for (;;) {
    std::string taken;
    Figures now{};
    bool finished = false;
    std::string failure;
    {
      std::unique_lock<std::mutex> hold(job->lock);
      job->forCaller.wait_for(hold, kPoll, [&] { return !job->ready.empty() || job->finished; });
      taken.swap(job->ready);
      now = {job->indexing, job->part, job->partSequencesDone, job->partBasesDone, job->alignments};
      for (int i = 0; i < job->threads; ++i) now.basesDone += job->basesInFlight[static_cast<size_t>(i)].load();
      finished = job->finished;
      failure = job->error;
      if (!taken.empty()) job->forWorkers.notify_all();
    }
    if (!failure.empty()) {
      closeProgress(progress, "");
      error = failure;
      return false;
    }
    if (cancelled(options) || !deliver(taken, line, context, options)) return cancelJob(*job, progress, error);
    if (finished) {
      closeProgress(progress, "aligned " + job->path + ": " + std::to_string(scan.sequences.size()) + " sequences, " +
                                  formatBases(scan.bases) + ", " + std::to_string(now.alignments) + " alignments in " +
                                  formatSeconds(progressSeconds(progress)));
      return true;
    }
    if (alignStart < 0 && now.part > 0) alignStart = progressSeconds(progress);
    bool due = progressDue(progress);
    if (due || options.status != nullptr) {
      double seconds = progressSeconds(progress);
      std::string text = progressText(*job, scan, now, seconds, alignStart < 0 ? 0 : seconds - alignStart, left, estimate);
      if (options.status != nullptr) options.status(context, doneFraction(*job, scan, now), text);
      if (due) showProgress(progress, text);
    }
  }
}
