#include "picture_run.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "camera.h"
#include "camera_fit.h"
#include "cli_tool.h"
#include "fasta_pairs.h"
#include "pair_file_options.h"
#include "dot_plot_figure.h"
#include "figure_marks.h"
#include "flat_camera.h"
#include "picture_painter.h"
#include "svg_painter.h"
#include "frame_readback.h"
#include "figure_records.h"
#include "flight.h"
#include "pair_shown.h"
#include "pyramid_bars.h"
#include "hud.h"
#include "offscreen_context.h"
#include "output_file.h"
#include "line_reader.h"
#include "pair_file.h"
#include "png_encoder.h"
#include "projection.h"
#include "bar_records.h"
#include "scene_frame.h"
#include "view_options.h"

namespace {

bool writeBytes(OutputFile& out, const void* bytes, size_t size) {
  if (!writeOutputBytes(out, bytes, size)) {
    cliError("cannot write %s: %s", out.path.c_str(), std::strerror(errno));
    abandonOutputFile(out);
    return false;
  }
  return commitOutputFile(out);
}

// Scales the records for this picture and makes its view, the viewer's way, --fit being one
// more way to place the camera.
FigureView prepareView(const PicturePlan& picture, ViewState& view) {
  const SnapshotOptions& options = picture.options;
  const FigureOptions& figure = picture.figure;
  normaliseRecordsFor(figure.maxLen);
  view.look.heightBases = figure.maxLen > 0 ? static_cast<double>(figure.maxLen) : 0.0;
  bool flat = figure.flatView();
  if (flat) {
    view.look.showFloor = figure.floor;
    if (view.look.showLinks) view.look.linkRise = 1;  // set again below, once the height is known
  }
  camera = Camera{};
  FitFrame frame = figureFitFrame(options.width, options.height, figure.annotate, !figure.title.empty());
  ViewFit fit{frame, static_cast<float>(options.width) / static_cast<float>(options.height)};
  applyView(options, view, figure.fit && !flat ? &fit : nullptr);
  FigureView drawn;
  drawn.zoomSteps = view.zoomSteps;
  if (flat && view.look.dotPlot) {
    nameRegion(view, drawn);
    drawn.nothingShown = shownSlots(view).count == 0;
    placeDotPlotView(view, options.width, options.height, figure.annotate, !figure.title.empty(), drawn);
    return drawn;
  }
  if (flat) {
    nameSequences(view, drawn);
    chooseLegends(view, drawn);
    chooseHeightFloor(view, drawn);
    if (view.look.hud) {
      char lines[kHudLines][kHudLineRoom];
      drawn.hudRows = hudLines(view, lines) + 1;  // and the line of features under the pointer
      view.look.figureHud = figure.annotate;
    }
    int lanes =
        view.annotations != nullptr && view.look.showLanes ? static_cast<int>(view.annotations->lanes.size()) : 0;
    // More bars than columns: some column stands for several, and the shade is explained.
    bool crowded = barsThroughPyramid() && pyramidShownBars(view) > options.width;
    bool legendRow = drawn.strandLegend || drawn.identityLegend || lanes > 0 || crowded;
    frame = flatFitFrame(options.width, options.height, figure.annotate, !figure.title.empty(), legendRow,
                         !drawn.axisName.empty() || drawn.sequenceNames, lanes, drawn.hudRows);
  }
  drawn.frame = frame;
  FitBox box{};
  // A figure of no pair still has its axis, and says why it is empty.
  drawn.nothingShown = (flat || figure.fit) && shownSlots(view).count == 0;
  if (drawn.nothingShown ? emptyFrameExtent(view, box, drawn.firstPos, drawn.lastPos)
                         : framedExtent(view, box, drawn.firstPos, drawn.lastPos)) {
    drawn.axisY = static_cast<float>(box.yMin);
    drawn.tallest = static_cast<float>(box.zMax);
    if (flat) {
      placeFlatView(box, frame, view, options.width, options.height, drawn);
      // The widest link reaches a third of the tallest bar: arcs stay under the skyline.
      // On a log scale's raised floor they stand on the floor.
      if (view.look.showLinks) {
        double floor = drawn.floorZ < box.zMax ? drawn.floorZ : 0.0;
        view.look.linkFloor = static_cast<float>(floor);
        view.look.linkRise = static_cast<float>(std::max(box.zMax - floor, 1e-3) / 3.0);
      }
    }
  }
  return drawn;
}

bool renderPicture(const PicturePlan& picture, OutputFile& out) {
  const SnapshotOptions& options = picture.options;
  ViewState view = options.view;
  view.fileName = fileLabel(options.listPath);
  FigureView drawn = prepareView(picture, view);
  if (drawn.flat)
    flatView(options.width, options.height, drawn.eye[0], drawn.eye[1], drawn.eye[2], drawn.eye[3]);
  else
    resizeView(options.width, options.height);
  setSceneLook(figureLook(drawn, picture.figure.whiteBackground, options.width));

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < options.frames; ++i) {
    renderFrame(view);
    // Without a finish per frame the renderer queues every frame's commands until the
    // read-back, and memory grows with --frames.
    finishOffscreenDrawing();
  }
  setSceneLook(SceneLook{});
  auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  if (options.timed) std::fprintf(stderr, "frame_ms %.3f\n", elapsed.count() / options.frames);

  // The figure's marks join the frame's list, so both writers draw the same picture.
  DrawList& list = lastSceneList();
  if (drawn.flat && view.look.dotPlot) {
    addFigureMarks(list, dotPlotMarks(drawn, list.matrix, options.width, options.height, picture.figure.annotate,
                                      picture.figure.title));
  } else {
    MarkInput input = figureMarkInput(drawn, view, list.matrix, options.width, options.height,
                                      picture.figure.annotate, picture.figure.title);
    addFigureMarks(list, layoutFigureMarks(input));
  }

  if (picture.svg) {
    std::string document = svgDocument(list);
    return writeBytes(out, document.data(), document.size());
  }
  std::vector<uint8_t> rgb;
  int32_t width = 0, height = 0;
  readFrameRgb(rgb, &width, &height);  // the viewport: the picture's size
  paintPictureItems(list, rgb.data(), options.width, options.height);
  std::vector<uint8_t> png;
  if (!encodeRgbPng(rgb.data(), options.width, options.height, png)) {
    abandonOutputFile(out);
    cliError("cannot encode the picture as PNG");
    return false;
  }
  return writeBytes(out, png.data(), png.size());
}

}  // namespace

int runPictures(const std::vector<PicturePlan>& pictures) {
  const char* listPath = pictures.front().options.listPath;
  PairFileOptions file = pictures.front().options.file;
  // Tiles below what every picture hides are not made at all.
  uint16_t shownIdentity = UINT16_MAX;
  for (const PicturePlan& picture : pictures)
    shownIdentity = std::min(shownIdentity, picture.options.view.filter.minIdentity);
  file.import.tilesMinIdentity = shownIdentity / 100.0;
  int fileRefused =
      file.named ? checkNamedFile(listPath, file, "; no picture written") : checkDefaultListOptions(file);
  if (fileRefused == kCliGoOn && !file.named) fileRefused = checkAlignOptionsUsed(file, false);
  if (fileRefused != kCliGoOn) return fileRefused;
  // Every target is checked before any work; each picture goes to a temporary beside it.
  std::vector<OutputFile> outs(pictures.size());
  auto abandonAll = [&]() {
    for (OutputFile& out : outs)
      if (out.fd >= 0) abandonOutputFile(out);
  };
  for (size_t i = 0; i < pictures.size(); ++i) {
    int opened = openOutputFile(outs[i], pictures[i].options.outPath, {listPath}, true);
    if (opened != kExitOk) {
      abandonAll();
      return opened;
    }
  }

  int width = 1, height = 1;
  for (const PicturePlan& p : pictures) {
    if (p.options.width > width) width = p.options.width;
    if (p.options.height > height) height = p.options.height;
  }
  // One buffer big enough for every picture; each draws into its bottom-left corner.
  char error[512];
  if (!openOffscreenContext(width, height, error, sizeof error)) {
    abandonAll();
    cliError("%s", error);
    return kExitFailed;
  }
  startScene();
  // Drawn as a viewer given options draws: a camera far along the axis keeps its origin
  // there, and the HUD speaks as in flight.
  letCameraFly(true);
  resizeView(pictures.front().options.width, pictures.front().options.height);
  int readError = openNamedFile(listPath, file, 1, nullptr);
  bool summaryWritten = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (readError != 0) {
    abandonAll();
    closeOffscreenContext();
    if (readError == kPairFileRefused)
      cliError("no picture written");  // the import said why
    else
      cliError("cannot read %s: %s; no picture written", listPath, readErrorText(readError));
    return kExitFailed;
  }
  keepLoadedRecords();
  for (const PicturePlan& picture : pictures) {
    std::string refused;
    if (!loadViewAnnotations(picture.options, refused)) {
      abandonAll();
      closeOffscreenContext();
      cliError("%s; no picture written", refused.c_str());
      return kExitFailed;
    }
    if (!checkViewWork(picture.options, barsRewrittenByAStep(), refused)) {
      abandonAll();
      closeOffscreenContext();
      return cliUsageError("%s", refused.c_str());
    }
  }

  int status = kExitOk;
  for (size_t i = 0; i < pictures.size(); ++i) {
    // Read again only for a picture of other files than the last; read once, they read.
    std::string unread;
    if (!loadViewAnnotations(pictures[i].options, unread)) {
      abandonOutputFile(outs[i]);
      cliError("%s; %s not written", unread.c_str(), outs[i].path.c_str());
      status = kExitFailed;
    } else if (!renderPicture(pictures[i], outs[i])) {
      status = kExitFailed;
    }
  }
  closeOffscreenContext();
  return summaryWritten && cliCloseStdout() ? status : kExitFailed;
}
