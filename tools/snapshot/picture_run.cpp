#include "picture_run.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "camera.h"
#include "camera_fit.h"
#include "camera_transform.h"
#include "cli_tool.h"
#include "fasta_pairs.h"
#include "pair_file_options.h"
#include "figure_marks.h"
#include "figure_raster.h"
#include "frame_readback.h"
#include "figure_records.h"
#include "pair_shown.h"
#include "gl.h"
#include "hud.h"
#include "pair_colours.h"
#include "pair_traits.h"
#include "sequence_places.h"
#include "offscreen_context.h"
#include "output_file.h"
#include "line_reader.h"
#include "pair_file.h"
#include "png_encoder.h"
#include "projection.h"
#include "record_table.h"
#include "scene_frame.h"
#include "svg_frame.h"
#include "view_options.h"

namespace {

// The scene on white for print: the frame has cleared to the sky already; clearing again
// inside it changes nothing else.
void drawSceneOnWhite(const ViewState& view) {
  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene(view);
}

// The matrix the passes draw with: the frame's projection times the camera.
void sceneMatrix(float matrix[16]) {
  glPushMatrix();
  applyCameraTransform();
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  glPopMatrix();
}

bool writeBytes(OutputFile& out, const void* bytes, size_t size) {
  if (!writeOutputBytes(out, bytes, size)) {
    cliError("cannot write %s: %s", out.path.c_str(), std::strerror(errno));
    abandonOutputFile(out);
    return false;
  }
  return commitOutputFile(out);
}

// What the annotations need to know of a picture's view.
struct Drawn {
  int zoomSteps = 0;
  int64_t firstPos = 0, lastPos = -1;  // none drawn: an empty range
  float axisY = 0.1f;                  // the first row
  float tallest = 0;
  bool flat = false;                   // the orthographic side view, placed below
  double eye[4] = {0, 0, 0, 0};        // its eye-space left, right, bottom, top
  int scissor[4] = {0, 0, 0, 0};       // the frame in pixels, from the bottom left
  FitFrame frame{};
  int64_t labelOrigin = 0;             // ticks count along this sequence, 1-based
  std::string axisName;
  int hudRows = 0;
  bool strandLegend = false, identityLegend = false;
  int identityLow = 0, identityHigh = 0;
  bool nothingShown = false;
};

// The sequence a region lies in, when it lies in one: its ticks count from its start.
void nameRegion(const ViewState& view, Drawn& drawn) {
  if (view.regionStart < 0) return;
  const SequenceAxis& axis = loadedSequences();
  SequencePlace first{}, last{};
  if (!sequencePlaceOf(axis, view.regionStart, first) || !sequencePlaceOf(axis, view.regionEnd - 1, last) ||
      first.sequence != last.sequence)
    return;
  const AxisSequence& sequence = axis.sequences[first.sequence];
  drawn.labelOrigin = sequence.offset - 1;
  drawn.axisName = sequence.name;
}

// What the colours of the drawn bars and links need explaining, and the identities shown.
void chooseLegends(const ViewState& view, Drawn& drawn) {
  drawn.strandLegend = view.colourMode == kColourByOrientation || (view.showLinks && view.colourMode != kColourByIdentity);
  if (view.colourMode != kColourByIdentity) return;
  ShownSlots shown = shownSlots(view);
  int low = 10001, high = -1;
  for (int32_t k = 0; k < shown.count; ++k) {
    uint16_t identity = pairTraits.identity[pairOfSlot(shown.slots[k])];
    if (identity == kIdentityUnknown) continue;
    low = std::min(low, static_cast<int>(identity));
    high = std::max(high, static_cast<int>(identity));
  }
  if (high < 0) return;
  drawn.identityLegend = true;
  drawn.identityLow = low;
  drawn.identityHigh = high;
}

// The side view looks along +y, level, from in front of every row: x across, z up.
void placeFlatView(const FitBox& box, const FitFrame& frame, const ViewState& view, int width, int height,
                   Drawn& drawn) {
  double low = box.xMin, high = box.xMax;
  if (view.regionStart < 0) {
    // A little room each side, so the outermost bars are not half cut by the frame.
    double pad = (high - low) * 0.005;
    if (!(pad > 0)) pad = 1e-3;
    low -= pad;
    high += pad;
  }
  double top = box.zMax > 0 ? box.zMax : 1.0;
  camera = Camera{};
  camera.camX = 0;
  camera.camY = static_cast<float>(box.yMin - 1.0);
  camera.pitch = 90;
  camera.yaw = 0;
  double perX = (frame.right - frame.left) / (high - low);  // device units per world x
  double perZ = (frame.top - frame.bottom) / top;
  drawn.eye[0] = low - (frame.left + 1.0) / perX;
  drawn.eye[1] = drawn.eye[0] + 2.0 / perX;
  drawn.eye[2] = -camera.camZ - (frame.bottom + 1.0) / perZ;
  drawn.eye[3] = drawn.eye[2] + 2.0 / perZ;
  int left = static_cast<int>(std::floor((frame.left + 1.0) * 0.5 * width));
  int right = static_cast<int>(std::ceil((frame.right + 1.0) * 0.5 * width));
  int bottom = static_cast<int>(std::floor((frame.bottom + 1.0) * 0.5 * height));
  drawn.scissor[0] = left;
  drawn.scissor[1] = bottom;
  drawn.scissor[2] = right - left;
  drawn.scissor[3] = height - bottom;  // upwards the picture's edge is the limit
  drawn.flat = true;
}

// Scales the records for this picture and makes its view, the viewer's way, --fit being one
// more way to place the camera.
Drawn prepareView(const PicturePlan& picture, ViewState& view) {
  const SnapshotOptions& options = picture.options;
  const FigureOptions& figure = picture.figure;
  normaliseRecordsFor(figure.maxLen);
  view.heightBases = figure.maxLen > 0 ? static_cast<double>(figure.maxLen) : 0.0;
  bool flat = figure.flatView();
  if (flat) {
    view.showFloor = figure.floor;
    if (view.showLinks) view.linkRise = 1;  // set again below, once the height is known
  }
  camera = Camera{};
  FitFrame frame = figureFitFrame(options.width, options.height, figure.annotate, !figure.title.empty());
  ViewFit fit{frame, static_cast<float>(options.width) / static_cast<float>(options.height)};
  applyView(options, view, figure.fit && !flat ? &fit : nullptr);
  Drawn drawn;
  drawn.zoomSteps = view.zoomSteps;
  if (flat) {
    nameRegion(view, drawn);
    chooseLegends(view, drawn);
    if (view.hud) {
      char lines[kHudLines][kHudLineRoom];
      drawn.hudRows = hudLines(view, lines) + 1;  // and the line of features under the pointer
      view.figureHud = figure.annotate;
    }
    int lanes = view.annotations != nullptr && view.showLanes ? static_cast<int>(view.annotations->lanes.size()) : 0;
    bool legendRow = drawn.strandLegend || drawn.identityLegend || lanes > 0;
    frame = flatFitFrame(options.width, options.height, figure.annotate, !figure.title.empty(), legendRow,
                         !drawn.axisName.empty(), lanes, drawn.hudRows);
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
      if (view.showLinks) view.linkRise = static_cast<float>(std::max(box.zMax, 1e-3) / 3.0);
    }
  }
  return drawn;
}

// The flat view's passes: bars and links stop at the frame.
void drawFlatScene(const ViewState& view) { drawSceneInScissor(view); }
void drawFlatSceneOnWhite(const ViewState& view) {
  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawSceneInScissor(view);
}

// Lines about a pixel wide at the viewer's 992 and four at 3840, so printed bars stay solid.
float figureLineWidth(int width) { return std::max(1.0f, std::round(static_cast<float>(width) / 960.0f)); }

bool renderPicture(const PicturePlan& picture, OutputFile& out) {
  const SnapshotOptions& options = picture.options;
  ViewState view = options.view;
  view.fileName = fileLabel(options.listPath);
  Drawn drawn = prepareView(picture, view);
  ScenePasses passes = picture.figure.whiteBackground ? drawSceneOnWhite : drawScene;
  float lineWidth = 1.0f;
  if (drawn.flat) {
    flatView(options.width, options.height, drawn.eye[0], drawn.eye[1], drawn.eye[2], drawn.eye[3]);
    glScissor(drawn.scissor[0], drawn.scissor[1], drawn.scissor[2], drawn.scissor[3]);
    passes = picture.figure.whiteBackground ? drawFlatSceneOnWhite : drawFlatScene;
    lineWidth = figureLineWidth(options.width);
  } else {
    resizeView(options.width, options.height);
  }
  glLineWidth(lineWidth);

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < options.frames; ++i) {
    renderFrame(view, nullptr, passes);
    // Without a finish per frame the renderer queues every frame's commands until the
    // read-back, and memory grows with --frames.
    finishOffscreenDrawing();
  }
  glLineWidth(1.0f);
  auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  if (options.timed) std::fprintf(stderr, "frame_ms %.3f\n", elapsed.count() / options.frames);

  MarkInput input{};
  input.width = options.width;
  input.height = options.height;
  sceneMatrix(input.matrix);
  input.zoomSteps = drawn.zoomSteps;
  input.firstPos = drawn.firstPos;
  input.lastPos = drawn.lastPos;
  input.axisY = drawn.axisY;
  input.lengthScale = picture.figure.maxLen > 0 ? static_cast<double>(picture.figure.maxLen) : recordTable.maxLen;
  input.tallest = drawn.tallest;
  input.clipped = picture.figure.maxLen > 0 && recordTable.maxLen > picture.figure.maxLen;
  input.annotate = picture.figure.annotate && drawn.firstPos <= drawn.lastPos;
  input.title = picture.figure.title;
  input.nothingShown = drawn.nothingShown;
  if (drawn.flat) {
    input.flat = true;
    input.frame = drawn.frame;
    input.logHeights = view.logHeights;
    input.labelOrigin = drawn.labelOrigin;
    input.axisName = drawn.axisName;
    input.lanes = view.annotations != nullptr && view.showLanes ? view.annotations : nullptr;
    input.strandLegend = drawn.strandLegend;
    input.identityLegend = drawn.identityLegend;
    input.identityLow = drawn.identityLow;
    input.identityHigh = drawn.identityHigh;
    input.hudRows = drawn.hudRows;
  }
  FigureMarks marks = layoutFigureMarks(input);

  if (picture.svg) {
    SvgFrame frame;
    frame.width = options.width;
    frame.height = options.height;
    frame.whiteBackground = picture.figure.whiteBackground;
    frame.view = &view;
    frame.marks = &marks;
    std::memcpy(frame.matrix, input.matrix, sizeof frame.matrix);
    if (drawn.flat) {
      frame.flat = true;
      frame.lineWidth = lineWidth;
      const int* box = drawn.scissor;
      frame.clip[0] = static_cast<float>(box[0]);
      frame.clip[1] = static_cast<float>(options.height - box[1] - box[3]);
      frame.clip[2] = static_cast<float>(box[2]);
      frame.clip[3] = static_cast<float>(box[3]);
    }
    if (view.hud) {
      char lines[kHudLines][kHudLineRoom];
      int count = hudLines(view, lines);
      for (int i = 0; i < count; ++i) frame.hudLines.push_back(lines[i]);
    }
    std::string document = svgDocument(frame);
    return writeBytes(out, document.data(), document.size());
  }
  std::vector<uint8_t> rgb;
  int32_t width = 0, height = 0;
  readFrameRgb(rgb, &width, &height);  // the viewport: the picture's size
  drawFigureMarks(marks, rgb.data(), options.width, options.height);
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
  int fileRefused =
      file.named ? checkNamedFile(listPath, file, "; no picture written") : checkAlignOptionsUsed(file, false);
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
    if (!checkViewWork(picture.options, recordTable.count - 1, refused)) {
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
