// Frame benchmark: a full table of 499,999 records over the whole axis, seen from the start
// camera at the viewer's client size, drawn by the production passes, by the literal
// per-bar passes, and by a floor figure (one glDrawArrays of every bar's prebuilt vertices,
// no culling), all in one run with rounds interleaved. Prints mean milliseconds per frame and
// the ratios. Frames end with glFinish, so the time is the finished picture's. Processor
// time (all of llvmpipe's threads) is printed beside it: on a busy machine it moves less.
//
// Then the opt-in aids at the same table: the HUD on against off, the pair links, 500,000
// annotation features in five classes shown as lanes against hidden, and the cost of one
// pick on the clip coordinates the frame computed.
//
// quelvar-frame-bench [--records N] [--frames N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>

#include "annotation_lanes.h"
#include "bar_batch.h"
#include "camera.h"
#include "camera_transform.h"
#include "draw_replay.h"
#include "bench_options.h"
#include "cli_tool.h"
#include "floor.h"
#include "frame_timing.h"
#include "gl.h"
#include "literal_passes.h"
#include "offscreen_context.h"
#include "pair_colours.h"
#include "pair_traits.h"
#include "projection.h"
#include "record_table.h"
#include "scene_frame.h"
#include "tandem_loader.h"

namespace {

constexpr int kLaneFeatures = 500000;

constexpr int kWidth = 992;
constexpr int kHeight = 573;

float allVertices[kTableSlots * 2][3];
float allColours[kTableSlots * 2][3];
int allVertexCount = 0;

// Records as the loader would leave them for a list spread over positions 0 to 299,999,999.
void fillTable(int records) {
  resetTandemData();
  uint32_t state = 12345;
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  int32_t partner = 0;
  for (int i = 0; i < records; ++i) {
    TandemRecord& record = recordTable.slots[recordTable.count++];
    record = TandemRecord{};
    record.pos = static_cast<int32_t>((static_cast<uint64_t>(next()) * 300000000ull) >> 24);
    if (i % 2 == 0) partner = static_cast<int32_t>((static_cast<uint64_t>(next()) * 300000000ull) >> 24);
    record.partner = partner;
    record.x = static_cast<float>(record.pos);
    record.len = static_cast<float>(11 + next() % 5000);
    record.r = static_cast<float>(next() % 256) / 255.0f;
    record.g = static_cast<float>(next() % 256) / 255.0f;
    record.b = static_cast<float>(next() % 256) / 255.0f;
    record.tag = 1;
  }
  recordTable.maxLen = 5010;
  normalizeRecords();
  for (int32_t pair = 1; pair <= records / 2; ++pair) {
    pairTraits.orientation[pair] = static_cast<uint8_t>(next() & 1);
    pairTraits.identity[pair] = static_cast<uint16_t>(7000 + next() % 3001);
  }
}

// The floor figure's input: every bar above the threshold, built once, no culling.
void prebuildAllBars(float threshold) {
  allVertexCount = 0;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& r = recordTable.slots[i];
    if (!(r.len > threshold)) continue;
    for (int end = 0; end < 2; ++end) {
      float* v = allVertices[allVertexCount];
      float* c = allColours[allVertexCount];
      v[0] = r.x, v[1] = r.y, v[2] = end == 0 ? 0.0f : r.len;
      c[0] = 0, c[1] = 0, c[2] = r.r;
      ++allVertexCount;
    }
  }
}

void drawPrebuiltBars() {
  glPushMatrix();
  applyCameraTransform();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, allVertices);
  glColorPointer(3, GL_FLOAT, 0, allColours);
  glDrawArrays(GL_LINES, 0, allVertexCount);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}

enum Variant { kProduction, kProductionTurning, kLiteral, kFloorFigure, kClearAndFloor };
const char* const kVariantNames[] = {"production", "production, camera turning", "literal reference",
                                     "floor figure (one glDrawArrays)", "of which clear and floor"};

// What each variant draws between the frame's matrix push and pop.
void drawFloor() {
  static DrawList list;
  startSceneList(list);
  addFloor(list);
  replayDrawList(list);
}

void drawFloorFigure(const ViewState& view) {
  drawPrebuiltBars();
  if (view.look.showFloor) drawFloor();
}
void drawOnlyFloor(const ViewState& view) {
  if (view.look.showFloor) drawFloor();
}
const ScenePasses kVariantPasses[] = {drawScene, drawScene, literalDrawScene, drawFloorFigure, drawOnlyFloor};

// The turning variant nudges the camera each frame, so the batch must refill; the others keep
// the start camera.
FrameTime frameMs(Variant variant, ViewState& view, int frames) {
  return timeFrames(view, Camera{}, frames, variant == kProductionTurning, kVariantPasses[variant]);
}

// Runs the variants in interleaved rounds and prints their means.
void compare(const char* title, ViewState view, const Variant* variants, int count, int frames, double* means) {
  const int rounds = 3;
  double sums[5] = {0, 0, 0, 0, 0};
  double cpuSums[5] = {0, 0, 0, 0, 0};
  for (int v = 0; v < count; ++v) frameMs(variants[v], view, 1);  // warm up caches and JIT
  for (int round = 0; round < rounds; ++round)
    for (int v = 0; v < count; ++v) {
      ViewState frameView = view;
      FrameTime time = frameMs(variants[v], frameView, frames);
      sums[v] += time.wallMs;
      cpuSums[v] += time.cpuMs;
    }
  std::printf("\n%s\n", title);
  for (int v = 0; v < count; ++v) {
    means[v] = sums[v] / rounds;
    std::printf("  %-34s %9.2f ms/frame  (processor %8.2f ms)\n", kVariantNames[variants[v]], means[v],
                cpuSums[v] / rounds);
  }
}

// Production frames of several views in interleaved rounds, still and turning camera.
void compareViews(const char* title, const ViewState* views, const char* const* names, int count, int frames,
                  double (*means)[2]) {
  const int rounds = 3;
  double sums[8][2] = {};
  for (int v = 0; v < count; ++v) {
    ViewState warm = views[v];
    frameMs(kProduction, warm, 1);
  }
  for (int round = 0; round < rounds; ++round)
    for (int v = 0; v < count; ++v)
      for (int turning = 0; turning < 2; ++turning) {
        ViewState frameView = views[v];
        sums[v][turning] += frameMs(turning ? kProductionTurning : kProduction, frameView, frames).wallMs;
      }
  std::printf("\n%s\n", title);
  for (int v = 0; v < count; ++v) {
    means[v][0] = sums[v][0] / rounds;
    means[v][1] = sums[v][1] / rounds;
    std::printf("  %-34s %9.2f ms/frame  turning %9.2f ms/frame\n", names[v], means[v][0], means[v][1]);
  }
}

// Picks at a grid of points over the picture after one frame: mean and slowest.
void timePicks(const ViewState& view) {
  camera = Camera{};
  ViewState frameView = view;
  renderFrame(frameView);
  glFinish();
  const int columns = 31, rows = 17;
  double total = 0, slowest = 0;
  int hits = 0;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      double x = (c + 0.5) * kWidth / columns, y = (r + 0.5) * kHeight / rows;
      auto start = std::chrono::steady_clock::now();
      int32_t slot = pickBatchedBar(x, y, 4.0);
      double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      total += ms;
      if (ms > slowest) slowest = ms;
      hits += slot != 0 ? 1 : 0;
    }
  BarBatchStats stats = barBatchStats();
  std::printf("  pick over %d drawn bars: mean %.3f ms, slowest %.3f ms (%d points, %d on a bar)\n", stats.drawn,
              total / (columns * rows), slowest, columns * rows, hits);
}

// Features of 50 bp to 5 kb spread over the same 300,000,000 positions, in five classes (a
// BED track each), read through the annotation reader as the viewer reads a file.
bool writeFeatures(int count, AnnotationLanes& lanes) {
  char path[] = "/tmp/quelvar-frame-bench-XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) return false;
  std::FILE* out = fdopen(fd, "w");
  uint32_t state = 777;
  for (int track = 0; track < 5 && out != nullptr; ++track) {
    std::fprintf(out, "track name=class%d\n", track);
    for (int i = 0; i < count / 5; ++i) {
      state = state * 1664525u + 1013904223u;
      uint64_t start = (static_cast<uint64_t>(state >> 8) * 300000000ull) >> 24;
      std::fprintf(out, "chr1\t%llu\t%llu\tf%d\n", static_cast<unsigned long long>(start),
                   static_cast<unsigned long long>(start + 50 + state % 4950), i);
    }
  }
  bool written = out != nullptr && std::fclose(out) == 0;
  std::string summary, error;
  bool read = written && loadAnnotation(lanes, path, SequenceAxis{}, summary, error);
  std::remove(path);
  if (read) std::printf("%s\n", summary.c_str());
  return read;
}

}  // namespace

static const char kFrameBenchUsage[] =
    "Usage: quelvar-frame-bench [OPTIONS]\n"
    "Draws a full table from the start camera through an offscreen OpenGL context with the\n"
    "viewer's batched passes, the literal per-bar passes and a single-draw figure, and prints\n"
    "mean frame times and ratios for lines, points and window mode.\n"
    "\n"
    "      --records N  records in the table (default 499999)\n"
    "      --frames N   frames per round (default 4)\n"
    "      --help       show this help and exit\n"
    "      --version    show the version and exit\n";

int main(int argc, char** argv) {
  startCli("quelvar-frame-bench");
  BenchCount recordsOption{"records", 0, kTableSlots - 1, kTableSlots - 1}, framesOption{"frames", 1, 100000, 4};
  int stop = readBenchOptions(argc, argv, kFrameBenchUsage, recordsOption, framesOption);
  if (stop != kCliGoOn) return stop;
  int records = static_cast<int>(recordsOption.value);
  int frames = static_cast<int>(framesOption.value);
  if (!openFrameContext(kWidth, kHeight)) return kExitFailed;
  fillTable(records);
  ViewState view;
  prebuildAllBars(view.filter.threshold);
  std::printf("renderer %s, %dx%d, %d records, %d frames x 3 rounds per figure\n", offscreenRenderer(), kWidth,
              kHeight, records, frames);

  double lines[5];
  const Variant all[] = {kProduction, kProductionTurning, kLiteral, kFloorFigure, kClearAndFloor};
  compare("lines and floor, start camera", view, all, 5, frames, lines);
  camera = Camera{};
  drawScene(view);
  BarBatchStats stats = barBatchStats();
  std::printf("  bars selected %d, drawn after culling %d\n", stats.selected, stats.drawn);
  std::printf("  literal / production           %6.2fx\n", lines[2] / lines[0]);
  std::printf("  literal / production turning   %6.2fx\n", lines[2] / lines[1]);
  std::printf("  floor figure / production      %6.2fx\n", lines[3] / lines[0]);
  std::printf("  floor figure / prod. turning   %6.2fx\n", lines[3] / lines[1]);

  double other[3];
  const Variant three[] = {kProduction, kProductionTurning, kLiteral};
  ViewState points = view;
  points.look.pointStyle = true;
  compare("points and floor, start camera", points, three, 3, frames, other);
  std::printf("  literal / production           %6.2fx\n", other[2] / other[0]);
  std::printf("  literal / production turning   %6.2fx\n", other[2] / other[1]);

  ViewState window = view;
  window.filter.windowMode = true;
  window.filter.windowStart = 1000000;
  compare("window mode at 1,000,000, floor", window, three, 3, frames, other);
  std::printf("  literal / production           %6.2fx\n", other[2] / other[0]);
  std::printf("  literal / production turning   %6.2fx\n", other[2] / other[1]);

  ViewState hud = view;
  hud.look.hud = true;
  hud.fileName = "generated.tsv";
  hud.input.pickedSlot = 1;
  ViewState links = view;
  links.look.showLinks = true;
  ViewState strands = view;
  strands.look.colourMode = kColourByOrientation;
  AnnotationLanes annotation;
  ViewState lanes = view;
  if (writeFeatures(kLaneFeatures, annotation)) {
    lanes.annotations = &annotation;
  } else {
    std::fprintf(stderr, "quelvar-frame-bench: cannot write the annotation features; lanes not timed\n");
  }
  const ViewState aids[] = {view, hud, links, strands, lanes};
  const char* const aidNames[] = {"lines and floor", "with HUD, ruler and a picked pair", "with pair links",
                                  "coloured by strand", "with 500,000 features as lanes"};
  double aidMeans[5][2];
  compareViews("opt-in aids, lines and floor, start camera", aids, aidNames, 5, frames, aidMeans);
  std::printf("  HUD on / off                   %6.3fx  turning %6.3fx\n", aidMeans[1][0] / aidMeans[0][0],
              aidMeans[1][1] / aidMeans[0][1]);
  std::printf("  links on / off                 %6.3fx  turning %6.3fx\n", aidMeans[2][0] / aidMeans[0][0],
              aidMeans[2][1] / aidMeans[0][1]);
  std::printf("  lanes on / off                 %6.3fx  turning %6.3fx\n", aidMeans[4][0] / aidMeans[0][0],
              aidMeans[4][1] / aidMeans[0][1]);
  timePicks(view);
  ViewState pointView = view;
  pointView.look.pointStyle = true;
  timePicks(pointView);

  closeOffscreenContext();
  return 0;
}
