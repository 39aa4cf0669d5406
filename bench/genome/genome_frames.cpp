#include "genome_frames.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include <sys/resource.h>

#include "annotation_lanes.h"
#include "bar_batch.h"
#include "cli_tool.h"
#include "fasta_pairs.h"
#include "flight.h"
#include "frame_timing.h"
#include "pair_shown.h"
#include "line_reader.h"
#include "offscreen_context.h"
#include "pair_file.h"
#include "projection.h"
#include "sequence_axis.h"
#include "tandem_loader.h"
#include "view_options.h"

namespace {

// The viewer's client size, as the fixed table's frame benchmark draws.
constexpr int kWidth = 992;
constexpr int kHeight = 573;
// A duplication hot spot near chr1's centromere (see human_pairs.cpp).
const char kCloseView[] = "chr1:99500000";
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double peakKib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss);
}

bool readLayout(const std::string& work, SequenceAxis& axis, std::string& error) {
  int fd = openForReading(layoutPath(work).c_str());
  if (fd < 0) {
    error = "cannot open " + layoutPath(work);
    return false;
  }
  bool read = readFaiIndex(axis, fd, layoutPath(work).c_str(), error);
  closeInput(fd);
  if (read) layOutSequences(axis);
  return read;
}

bool loadLanes(const std::string& work, AnnotationLanes& lanes, double& seconds) {
  SequenceAxis axis{};
  std::string summary, error;
  if (!readLayout(work, axis, error)) {
    cliError("%s", error.c_str());
    return false;
  }
  auto start = Clock::now();
  bool loaded = loadAnnotation(lanes, repeatsPath(work).c_str(), axis, summary, error);
  seconds = secondsSince(start);
  if (!loaded) cliError("%s", error.c_str());
  return loaded;
}

// Still and turning frames of view from its camera, in interleaved rounds.
void timeView(ViewState& view, const Camera& from, int frames, double (&means)[2]) {
  timeFrames(view, from, 1, false);  // fills what a still camera keeps
  for (int round = 0; round < kRounds; ++round)
    for (int turning = 0; turning < 2; ++turning)
      means[turning] += timeFrames(view, from, frames, turning != 0).wallMs / kRounds;
}

int64_t barsDrawn(ViewState& view, const Camera& from) {
  timeFrames(view, from, 1, false);
  return barBatchStats().drawn;
}

// The overview the O key flies to (every shown pair whole, from above and in front), and
// the camera --goto places at the close view; each from the records as the load left them.
Camera placeOverview(const ViewOptions& options, ViewState& view) {
  resetView(options, view);
  FitBox box{};
  int64_t firstPos = 0, lastPos = 0;
  if (framedExtent(view, box, firstPos, lastPos)) camera = overviewCamera(box, static_cast<double>(kWidth) / kHeight);
  return camera;
}

Camera placeCloseView(const ViewOptions& options, ViewState& view) {
  resetView(options, view);
  return camera;
}

}  // namespace

std::string layoutPath(const std::string& work) { return work + "/human.fai"; }
std::string pairsPath(const std::string& work, int64_t pairs) {
  return work + "/pairs-" + std::to_string(pairs) + ".paf";
}
std::string repeatsPath(const std::string& work) { return work + "/repeats.out"; }

int runGenomeSize(const std::string& work, int64_t pairs, bool lanes, int frames) {
  GenomeFigures figures;
  AnnotationLanes annotation;
  if (pairs == 0) {
    double before = peakKib();
    if (!loadLanes(work, annotation, figures.loadSeconds)) return kExitFailed;
    std::printf("result %.3f %.0f\n", figures.loadSeconds, peakKib() - before);
    return kExitOk;
  }
  if (!openFrameContext(kWidth, kHeight)) return kExitFailed;

  letCameraFly(true);  // as the viewer started with a FILE
  std::string path = pairsPath(work, pairs);
  PairFileOptions file;
  file.named = true;
  file.import.allSequences = true;
  file.import.fai = layoutPath(work);
  if (checkNamedFile(path.c_str(), file) != kCliGoOn) return kExitFailed;
  double before = peakKib();
  auto start = Clock::now();
  int answer = openNamedFile(path.c_str(), file, 1, nullptr);
  normalizeRecords();
  figures.loadSeconds = secondsSince(start);
  figures.peakKib = peakKib() - before;
  if (answer != 0) {
    cliError("cannot load %s", path.c_str());
    return kExitFailed;
  }

  ViewOptions overviewOptions, closeOptions;
  closeOptions.gotoText = kCloseView;
  ViewState view = overviewOptions.view;
  Camera overview = placeOverview(overviewOptions, view);
  timeView(view, overview, frames, figures.overview);
  figures.drawn[0] = barsDrawn(view, overview);
  ViewState closeView = closeOptions.view;
  Camera close = placeCloseView(closeOptions, closeView);
  timeView(closeView, close, frames, figures.close);
  figures.drawn[1] = barsDrawn(closeView, close);

  double lanesSeconds = 0;
  if (lanes && loadLanes(work, annotation, lanesSeconds)) {
    // With and without lanes, still camera, in interleaved rounds, each view in turn.
    ViewState* views[2] = {&view, &closeView};
    for (int v = 0; v < 2; ++v) {
      Camera from = v == 0 ? placeOverview(overviewOptions, view) : placeCloseView(closeOptions, closeView);
      ViewState with = *views[v];
      with.annotations = &annotation;
      timeFrames(with, from, 1, false);
      timeFrames(*views[v], from, 1, false);
      for (int round = 0; round < kRounds; ++round) {
        figures.lanesOff[v] += timeFrames(*views[v], from, frames, false).wallMs / kRounds;
        figures.lanesOn[v] += timeFrames(with, from, frames, false).wallMs / kRounds;
      }
    }
  }
  closeOffscreenContext();
  std::printf("result %.3f %.0f %.3f %.3f %.3f %.3f %lld %lld %.3f %.3f %.3f %.3f\n", figures.loadSeconds,
              figures.peakKib, figures.overview[0], figures.overview[1], figures.close[0], figures.close[1],
              static_cast<long long>(figures.drawn[0]), static_cast<long long>(figures.drawn[1]), figures.lanesOff[0],
              figures.lanesOn[0], figures.lanesOff[1], figures.lanesOn[1]);
  return kExitOk;
}

bool readGenomeFigures(const std::string& text, GenomeFigures& f) {
  size_t at = text.rfind("result ");
  if (at == std::string::npos) return false;
  long long drawn[2] = {0, 0};
  int got = std::sscanf(text.c_str() + at, "result %lf %lf %lf %lf %lf %lf %lld %lld %lf %lf %lf %lf", &f.loadSeconds,
                        &f.peakKib, &f.overview[0], &f.overview[1], &f.close[0], &f.close[1], &drawn[0], &drawn[1],
                        &f.lanesOff[0], &f.lanesOn[0], &f.lanesOff[1], &f.lanesOn[1]);
  f.drawn[0] = drawn[0];
  f.drawn[1] = drawn[1];
  return got == 2 || got == 12;
}
