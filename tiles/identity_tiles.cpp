#include "identity_tiles.h"

#include <chrono>

#include "fasta_scan.h"
#include "progress_line.h"
#include "tile_pairs.h"

namespace {

struct Reading {
  const TileOptions* options;
  FastaScan* scan;
  Sketcher sketcher;
  size_t record = SIZE_MAX;
  bool wanted = true;
  ProgressLine* progress;
  const char* path;
  void* context;
  std::chrono::steady_clock::time_point lastStatus;
};

void takeBase(void* context, size_t record, char base) {
  Reading& r = *static_cast<Reading*>(context);
  if (record != r.record) {
    r.record = record;
    // The record's name is whole once its bases come.
    r.wanted = r.options->only.empty() || r.scan->sequences[record].name == r.options->only;
  }
  sketchBase(r.sketcher, record, r.wanted, base);
}

bool statusDue(std::chrono::steady_clock::time_point& last) {
  auto now = std::chrono::steady_clock::now();
  if (now - last < std::chrono::milliseconds(100)) return false;
  last = now;
  return true;
}

bool readTick(void* context, int64_t bytesRead) {
  Reading& r = *static_cast<Reading*>(context);
  if (r.options->cancel != nullptr && r.options->cancel->load()) return false;
  bool due = progressDue(*r.progress);
  if (!due && (r.options->status == nullptr || !statusDue(r.lastStatus))) return true;
  std::string text = "sketching " + std::string(r.path) + ": " + formatBases(r.scan->bases) + " read, " +
                     std::to_string(r.sketcher.out->windows.size()) + " windows, " +
                     formatSeconds(progressSeconds(*r.progress)) + " (" + std::to_string(bytesRead / 1000000) +
                     " MB of the file)";
  if (r.options->status != nullptr) r.options->status(r.context, 0, text);
  if (due) showProgress(*r.progress, text);
  return true;
}

struct Comparing {
  const TileOptions* options;
  const WindowSketches* sketches;
  ProgressLine* progress;
  const char* path;
  TileSink tile;
  void* context;
  TimeLeft left;
  double start;
  int64_t tiles;
};

void takePairs(void* context, const TilePair* pairs, size_t count) {
  Comparing& c = *static_cast<Comparing*>(context);
  c.tiles += static_cast<int64_t>(count);
  for (size_t i = 0; i < count; ++i)
    c.tile(c.context, c.sketches->windows[pairs[i].first], c.sketches->windows[pairs[i].second],
           pairs[i].identity, pairs[i].orientation);
}

// A window's comparisons cost its hashes times the windows that share them, more for the
// early windows (they meet every later one): the fraction of the work is the square's.
double comparedFraction(int64_t done, int64_t windows) {
  if (windows <= 0) return 1;
  double left = 1.0 - static_cast<double>(done) / static_cast<double>(windows);
  return 1.0 - left * left;
}

void compareTick(void* context, int64_t done, int64_t windows, int64_t pairs) {
  Comparing& c = *static_cast<Comparing*>(context);
  double seconds = progressSeconds(*c.progress);
  double fraction = comparedFraction(done, windows);
  std::string text = "tiling " + std::string(c.path) + ": " + std::to_string(done) + " of " +
                     std::to_string(windows) + " windows compared, " + std::to_string(pairs) + " tiles, " +
                     formatSeconds(seconds);
  double spent = seconds - c.start;
  if (fraction > 0.01 && spent > 0)
    text += ", about " + formatSeconds(timeLeft(c.left, seconds, spent * (1 - fraction) / fraction)) + " left";
  if (c.options->status != nullptr) c.options->status(c.context, fraction, text);
  if (progressDue(*c.progress)) showProgress(*c.progress, text);
}

}  // namespace

std::string tileRouteText(const std::string& path, int64_t bases, int64_t window, int threads) {
  // Worst case, a satellite array where every window meets every other: n^2 s / 2 counts at
  // about 3e8 a second a thread (bench/tiles), after reading at about 100 Mb a second.
  double windows = static_cast<double>(bases) / static_cast<double>(window);
  double counts = windows * windows * kSketchTarget / 2;
  double seconds = static_cast<double>(bases) / 1e8 + counts / (3e8 * std::max(1, threads));
  return "identity tiles of " + path + ": " + formatBases(bases) + " in windows of " + std::to_string(window) +
         " bases, k=" + std::to_string(kTileK) + " sketches of about " + std::to_string(kSketchTarget) +
         " k-mers a window; at most " +
         (seconds < 1 ? std::string("a second") : formatSeconds(seconds));
}

bool tileFasta(const char* path, const TileOptions& options, TileSink tile, void* context,
               std::vector<FastaSequence>& sequences, std::string& error) {
  sequences.clear();
  error.clear();
  ProgressLine progress = openProgress(options.progress);
  FastaScan scan;
  WindowSketches sketches;
  Reading reading{&options, &scan, {}, SIZE_MAX, true, &progress, path, context, {}};
  startSketches(reading.sketcher, sketches, options.window);
  std::string readFrom = options.readFrom.empty() ? path : options.readFrom;
  if (!scanFasta(path, scan, readTick, &reading, error, readFrom.c_str(), BaseSink{takeBase, &reading})) {
    closeProgress(progress, "");
    return false;
  }
  finishSketches(reading.sketcher);
  sequences = scan.sequences;
  if (options.sequencesRead != nullptr && !options.sequencesRead(context, sequences)) {
    closeProgress(progress, "");
    return false;
  }
  int threads = options.threads > 0 ? options.threads : defaultAlignThreads();
  if (options.progress != nullptr) {
    int64_t bases = 0;
    for (const TileWindow& window : sketches.windows) bases += window.length;
    std::fprintf(options.progress, "%s\n", tileRouteText(path, bases, options.window, threads).c_str());
  }
  Comparing comparing{&options, &sketches, &progress, path, tile, context, {}, progressSeconds(progress), 0};
  TileJob job;
  job.sketches = &sketches;
  job.threads = threads;
  job.minIdentity = options.minIdentity;
  job.cancel = options.cancel;
  job.take = takePairs;
  job.tick = compareTick;
  job.context = &comparing;
  if (!findTilePairs(job)) {
    closeProgress(progress, "");
    error = "cancelled";
    return false;
  }
  closeProgress(progress, "tiled " + std::string(path) + ": " + std::to_string(sketches.windows.size()) +
                              " windows of " + std::to_string(options.window) + " bases, " + std::to_string(comparing.tiles) +
                              " tiles in " + formatSeconds(progressSeconds(progress)));
  return true;
}
