#include "dot_plot_figure.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "axis_scale.h"
#include "axis_ticks.h"
#include "camera.h"
#include "dot_plot.h"
#include "sequence_axis.h"
#include "text_raster.h"

namespace {

constexpr size_t kMaxTicks = 64;

float textWidth(const std::string& text, float size) { return static_cast<float>(measureText(text.c_str(), size)); }

// The plot's box in picture pixels, from the top left.
struct PlotBox {
  float left, right, top, bottom;
};

PlotBox plotBox(const FitFrame& frame, int width, int height) {
  float w = static_cast<float>(width), h = static_cast<float>(height);
  return {static_cast<float>((frame.left + 1.0) * 0.5 * w), static_cast<float>((frame.right + 1.0) * 0.5 * w),
          static_cast<float>((1.0 - frame.top) * 0.5 * h), static_cast<float>((1.0 - frame.bottom) * 0.5 * h)};
}

// The room right of the plot for the names up its side: the widest, within a third of the picture.
float nameRoom(float size, int width) {
  float widest = 0;
  for (const AxisSequence& sequence : loadedSequences().sequences)
    widest = std::max(widest, textWidth(sequence.name, size));
  return std::min(widest + size, static_cast<float>(width) / 3.0f);
}

struct Projected {
  float x, y;
};

// Where the GL puts the ground point (x, y): through the matrix, then the viewport.
Projected project(const float m[16], int width, int height, double x, double y) {
  float c[4];
  for (int r = 0; r < 4; ++r)
    c[r] = m[r] * static_cast<float>(x) + m[4 + r] * static_cast<float>(y) + m[12 + r];
  return {(c[0] / c[3] + 1.0f) * 0.5f * static_cast<float>(width), (1.0f - c[1] / c[3]) * 0.5f * static_cast<float>(height)};
}

struct MarkPlace {
  const FigureView& figure;
  const float* matrix;
  int width, height;
  // The picture's pixel along x of a position, and along y.
  float across(int64_t position) const {
    return project(matrix, width, height, xOfPosition(static_cast<double>(position), figure.zoomSteps), 0).x;
  }
  float up(int64_t position) const {
    return project(matrix, width, height, 0, xOfPosition(static_cast<double>(position), figure.zoomSteps)).y;
  }
};

void addText(FigureMarks& marks, float x, float y, float size, TextAnchor anchor, const std::string& text) {
  marks.texts.push_back({x, y, size, anchor, text});
}

// Ticks along both axes at the same round spacing, widened until the labels keep apart
// across (their widths) and up (their height).
void addTicks(const MarkPlace& at, const PlotBox& box, float size, FigureMarks& marks) {
  int64_t origin = at.figure.labelOrigin;
  int64_t first = at.figure.firstPos - origin, last = at.figure.lastPos - origin;
  if (last < first) return;
  float tick = 0.45f * size;
  for (int wanted = std::max(1, static_cast<int>((box.right - box.left) / (size * 6))); wanted >= 1; --wanted) {
    AxisTick ticks[kMaxTicks];
    size_t n = axisTicks(first, last, tickSpacing(last - first, wanted), ticks, kMaxTicks);
    bool apart = n > 0;
    for (size_t i = 1; i < n && apart; ++i) {
      float room = 0.5f * (textWidth(ticks[i].label, size) + textWidth(ticks[i - 1].label, size)) + size;
      apart = at.across(ticks[i].position + origin) - at.across(ticks[i - 1].position + origin) >= room &&
              at.up(ticks[i - 1].position + origin) - at.up(ticks[i].position + origin) >= 1.5f * size;
    }
    if (!apart && wanted > 1) continue;
    for (size_t i = 0; i < n; ++i) {
      float x = at.across(ticks[i].position + origin), y = at.up(ticks[i].position + origin);
      marks.lines.push_back({x, box.bottom, x, box.bottom + tick});
      marks.lines.push_back({box.left - tick, y, box.left, y});
      addText(marks, x, box.bottom + tick + 0.95f * size, size, TextAnchor::middle, ticks[i].label);
      addText(marks, box.left - tick - 0.3f * size, y + 0.35f * size, size, TextAnchor::end, ticks[i].label);
    }
    return;
  }
}

// Each sequence in the frame named at its middle under the x axis and right of the plot,
// where it keeps clear of the name before; one sequence (or a region in one) named once on each.
void addNames(const MarkPlace& at, const PlotBox& box, float size, FigureMarks& marks) {
  float belowY = box.bottom + 0.45f * size + 0.95f * size + 1.4f * size;
  float rightX = box.right + 0.5f * size;
  const FigureView& figure = at.figure;
  if (!figure.axisName.empty()) {
    addText(marks, 0.5f * (box.left + box.right), belowY, size, TextAnchor::middle, figure.axisName);
    addText(marks, rightX, 0.5f * (box.top + box.bottom) + 0.35f * size, size, TextAnchor::start, figure.axisName);
    return;
  }
  // The longest first, so that short sequences between them cannot crowd their names out.
  struct Stretch {
    int64_t start, end;
    const std::string* name;
  };
  std::vector<Stretch> stretches;
  for (const AxisSequence& sequence : loadedSequences().sequences) {
    int64_t start = std::max(sequence.offset, figure.firstPos);
    int64_t end = std::min(sequence.offset + sequence.length, figure.lastPos + 1);
    if (end > start) stretches.push_back({start, end, &sequence.name});
  }
  std::stable_sort(stretches.begin(), stretches.end(),
                   [](const Stretch& a, const Stretch& b) { return a.end - a.start > b.end - b.start; });
  std::vector<std::pair<float, float>> takenAcross, takenUp;
  auto clear = [](const std::vector<std::pair<float, float>>& taken, float from, float to) {
    for (const auto& span : taken)
      if (from < span.second && span.first < to) return false;
    return true;
  };
  for (const Stretch& stretch : stretches) {
    int64_t middle = stretch.start + (stretch.end - stretch.start) / 2;
    float x = at.across(middle), y = at.up(middle) + 0.35f * size;
    float half = 0.5f * textWidth(*stretch.name, size) + 0.25f * size;
    if (x - half >= 0 && x + half <= static_cast<float>(at.width) && clear(takenAcross, x - half, x + half)) {
      addText(marks, x, belowY, size, TextAnchor::middle, *stretch.name);
      takenAcross.push_back({x - half, x + half});
    }
    float low = y - 1.05f * size, high = y + 0.05f * size;
    if (low >= 0 && clear(takenUp, low, high)) {
      addText(marks, rightX, y, size, TextAnchor::start, *stretch.name);
      takenUp.push_back({low, high});
    }
  }
}

}  // namespace

void placeDotPlotView(const ViewState& view, int width, int height, bool annotate, bool titled, FigureView& figure) {
  float size = figureTextSize(width, height);
  float w = static_cast<float>(width), h = static_cast<float>(height);
  float left = 0.03f * w, right = 0.03f * w, top = 0.03f * h, bottom = 0.03f * h;
  if (annotate) {
    left = 5.5f * size;
    right = nameRoom(size, width) + 0.5f * size;
    top = 1.0f * size;
    bottom = 4.2f * size;
  }
  if (titled) top += 2.0f * size;
  float side = std::max(1.0f, std::min(w - left - right, h - top - bottom));
  PlotBox box{left, left + side, top, top + side};

  int64_t lo = 0, hi = 0;
  if (view.filter.regionStart >= 0) {
    lo = view.filter.regionStart;
    hi = view.filter.regionEnd;
  } else {
    hi = static_cast<int64_t>(std::ceil(positionOfX(dotPlotSide(view.zoomSteps), view.zoomSteps)));
  }
  if (hi <= lo) hi = lo + 1;
  figure.firstPos = lo;
  figure.lastPos = hi - 1;
  double low = xOfPosition(static_cast<double>(lo), view.zoomSteps);
  double high = xOfPosition(static_cast<double>(hi), view.zoomSteps);

  FitFrame& frame = figure.frame;
  frame.left = -1.0 + 2.0 * box.left / w;
  frame.right = -1.0 + 2.0 * box.right / w;
  frame.top = 1.0 - 2.0 * box.top / h;
  frame.bottom = 1.0 - 2.0 * box.bottom / h;
  // Straight down, x across and y up: eye space is the ground less the camera's place.
  camera = Camera{};
  camera.camX = 0;
  camera.camY = 0;
  camera.pitch = 0;
  camera.yaw = 0;
  double perX = (frame.right - frame.left) / (high - low), perY = (frame.top - frame.bottom) / (high - low);
  figure.eye[0] = low - (frame.left + 1.0) / perX;
  figure.eye[1] = figure.eye[0] + 2.0 / perX;
  figure.eye[2] = low - (frame.bottom + 1.0) / perY;
  figure.eye[3] = figure.eye[2] + 2.0 / perY;
  int sLeft = static_cast<int>(std::floor(box.left)), sRight = static_cast<int>(std::ceil(box.right));
  int sTop = static_cast<int>(std::floor(box.top)), sBottom = static_cast<int>(std::ceil(box.bottom));
  figure.scissor[0] = sLeft;
  figure.scissor[1] = height - sBottom;
  figure.scissor[2] = sRight - sLeft;
  figure.scissor[3] = sBottom - sTop;
  figure.flat = true;
}

FigureMarks dotPlotMarks(const FigureView& figure, const float matrix[16], int width, int height, bool annotate,
                         const std::string& title) {
  FigureMarks marks;
  float size = figureTextSize(width, height);
  marks.lineWidth = std::max(1.0f, std::round(size / 14.0f));
  PlotBox box = plotBox(figure.frame, width, height);
  if (!title.empty()) {
    float titleSize = 1.3f * size;
    addText(marks, 0.5f * static_cast<float>(width), 1.25f * titleSize, titleSize, TextAnchor::middle,
            fitText(title.c_str(), titleSize, std::max(0.0f, static_cast<float>(width) - titleSize)));
  }
  if (figure.nothingShown)
    addText(marks, 0.5f * (box.left + box.right), 0.5f * (box.top + box.bottom), size, TextAnchor::middle,
            "no pairs shown");
  if (!annotate) return marks;
  marks.lines.push_back({box.left, box.top, box.right, box.top});
  marks.lines.push_back({box.right, box.top, box.right, box.bottom});
  marks.lines.push_back({box.right, box.bottom, box.left, box.bottom});
  marks.lines.push_back({box.left, box.bottom, box.left, box.top});
  MarkPlace at{figure, matrix, width, height};
  addTicks(at, box, size, marks);
  addNames(at, box, size, marks);
  return marks;
}
