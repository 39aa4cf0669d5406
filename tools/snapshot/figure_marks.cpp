#include "figure_marks.h"

#include <algorithm>
#include <cmath>

#include "axis_units.h"
#include "axis_ticks.h"
#include "clip_arithmetic.h"
#include "figure_records.h"
#include "text_raster.h"

namespace {

constexpr size_t kMaxTicks = 64;

float textWidth(const std::string& text, float size) { return static_cast<float>(measureText(text.c_str(), size)); }

struct Screen {
  float x, y;
  bool ok;  // in front of the camera
};

// Where GL puts the vertex (x, axisY, z): the batch's own arithmetic, then the viewport.
Screen project(const MarkInput& in, float x, float z) {
  float t[4], c[4];
  translatedColumn(in.matrix, x, in.axisY, t);
  clipOfHeight(in.matrix, t, z, c);
  if (!(c[3] > 0.0f)) return {0, 0, false};
  float nx = c[0] / c[3], ny = c[1] / c[3];
  return {(nx + 1.0f) * 0.5f * static_cast<float>(in.width), (1.0f - ny) * 0.5f * static_cast<float>(in.height), true};
}

// The x interval of the axis (y = axisY, z = 0) whose points project inside the given NDC
// bounds (x from ndcLeft to ndcRight) and inside the view volume otherwise. False if empty.
bool visibleAxis(const MarkInput& in, double ndcLeft, double ndcRight, double& lo, double& hi) {
  const float* m = in.matrix;
  auto row = [&](int r, double& a, double& b) {
    a = m[r];
    b = static_cast<double>(m[4 + r]) * in.axisY + m[12 + r];
  };
  double ax, bx, ay, by, az, bz, aw, bw;
  row(0, ax, bx);
  row(1, ay, by);
  row(2, az, bz);
  row(3, aw, bw);
  // Each bound: a * x + b >= 0.
  const double bounds[][2] = {
      {ax - ndcLeft * aw, bx - ndcLeft * bw}, {ndcRight * aw - ax, ndcRight * bw - bx},
      {aw + ay, bw + by}, {aw - ay, bw - by}, {aw + az, bw + bz}, {aw - az, bw - bz}, {aw, bw - 1e-6}};
  for (const auto& bound : bounds) {
    double a = bound[0], b = bound[1];
    if (std::fabs(a) < 1e-12) {
      if (b < 0) return false;
      continue;
    }
    double root = -b / a;
    if (a > 0)
      lo = std::max(lo, root);
    else
      hi = std::min(hi, root);
  }
  return lo < hi;
}

void addText(FigureMarks& marks, float x, float y, float size, TextAnchor anchor, const std::string& text) {
  marks.texts.push_back({x, y, size, anchor, text});
}

// Position ticks: round spacing, widened until neighbouring labels keep apart.
void addPositionTicks(const MarkInput& in, double lo, double hi, float size, FigureMarks& marks) {
  Screen a = project(in, static_cast<float>(lo), 0), b = project(in, static_cast<float>(hi), 0);
  if (!a.ok || !b.ok) return;
  marks.lines.push_back({a.x, a.y, b.x, b.y});

  double unit = kAxisScale * std::pow(kZoomFactor, in.zoomSteps);  // x per position
  int64_t first = static_cast<int64_t>(std::ceil(lo / unit)), last = static_cast<int64_t>(std::floor(hi / unit));
  first = std::max(first, in.firstPos);
  last = std::min(last, in.lastPos);
  if (last < first) return;
  float length = std::hypot(b.x - a.x, b.y - a.y);
  float tickLength = 0.45f * size;
  for (int wanted = std::max(1, static_cast<int>(length / (size * 6))); wanted >= 1; --wanted) {
    AxisTick ticks[kMaxTicks];
    size_t n = axisTicks(first, last, tickSpacing(last - first, wanted), ticks, kMaxTicks);
    std::vector<Screen> at(n);
    bool apart = n > 0;
    for (size_t i = 0; i < n && apart; ++i) {
      at[i] = project(in, axisXOf(ticks[i].position, in.zoomSteps), 0);
      apart = at[i].ok;
      if (apart && i > 0) {
        float room = 0.5f * (textWidth(ticks[i].label, size) + textWidth(ticks[i - 1].label, size)) + size;
        apart = std::fabs(at[i].x - at[i - 1].x) >= room;
      }
    }
    if (!apart && wanted > 1) continue;
    for (size_t i = 0; i < n; ++i) {
      if (!at[i].ok) continue;
      marks.lines.push_back({at[i].x, at[i].y, at[i].x, at[i].y + tickLength});
      // A label the picture's edge would cut is left out; its tick stays.
      float half = 0.5f * textWidth(ticks[i].label, size);
      if (at[i].x - half < 0 || at[i].x + half > static_cast<float>(in.width)) continue;
      addText(marks, at[i].x, at[i].y + tickLength + 0.95f * size, size, TextAnchor::middle, ticks[i].label);
    }
    return;
  }
}

// The height legend: a scale standing at the axis' left end, ticked in bases.
void addHeightLegend(const MarkInput& in, double x, float size, FigureMarks& marks) {
  if (!(in.lengthScale > 0)) return;
  double divisor = in.lengthScale / 7.0;
  int64_t top = static_cast<int64_t>(in.lengthScale * std::min(7.0f, in.tallest) / 7.0);
  if (top < 1) return;
  float tickLength = 0.45f * size;
  for (int wanted = 4; wanted >= 1; --wanted) {
    AxisTick ticks[kMaxTicks];
    size_t n = axisTicks(0, top, tickSpacing(top, wanted), ticks, kMaxTicks);
    if (n < 2 && wanted > 1) continue;
    std::vector<Screen> at(n);
    bool apart = true;
    for (size_t i = 0; i < n; ++i) {
      at[i] = project(in, static_cast<float>(x), static_cast<float>(static_cast<double>(ticks[i].position) / divisor));
      if (!at[i].ok) return;
      if (i > 0 && std::fabs(at[i].y - at[i - 1].y) < 1.2f * size) apart = false;
    }
    if (!apart && wanted > 1) continue;
    if (n == 0) return;
    // The scale runs up to the tallest bar, and the caption sits above it, clear of the bars.
    Screen summit = project(in, static_cast<float>(x), std::min(7.0f, in.tallest));
    if (!summit.ok || summit.y > at[n - 1].y) summit = at[n - 1];
    marks.lines.push_back({at[0].x, at[0].y, summit.x, summit.y});
    for (size_t i = 0; i < n; ++i) {
      marks.lines.push_back({at[i].x - tickLength, at[i].y, at[i].x, at[i].y});
      addText(marks, at[i].x - tickLength - 0.25f * size, at[i].y + 0.35f * size, size, TextAnchor::end,
              ticks[i].label);
    }
    std::string caption = "bar height = pair length";
    if (in.clipped) {
      char limit[32];
      formatTickLabel(static_cast<int64_t>(in.lengthScale), static_cast<int64_t>(in.lengthScale), limit, sizeof limit);
      caption += std::string(", clipped at ") + limit;
    }
    addText(marks, std::max(0.5f * size, summit.x - 5.0f * size), summit.y - 0.9f * size, size, TextAnchor::start,
            caption);
    return;
  }
}

}  // namespace

float figureTextSize(int width, int height) {
  float size = static_cast<float>(std::min(height / 30.0, width / 45.0));
  return std::max(14.0f, size);
}

FitFrame figureFitFrame(int width, int height, bool annotate, bool titled) {
  float size = figureTextSize(width, height);
  double w = width, h = height;
  double left = 0.03 * w, right = 0.03 * w, bottom = 0.04 * h, top = 0.04 * h;
  if (annotate) {
    left = 5.5 * size;
    right = 1.5 * size;
    bottom = 2.8 * size;
    top = 2.2 * size;
  }
  if (titled) top += 2.0 * size;
  return {-1 + 2 * left / w, 1 - 2 * right / w, -1 + 2 * bottom / h, 1 - 2 * top / h};
}

FigureMarks layoutFigureMarks(const MarkInput& in) {
  FigureMarks marks;
  float size = figureTextSize(in.width, in.height);
  marks.lineWidth = std::max(1.0f, std::round(size / 14.0f));
  if (!in.title.empty()) {
    // Cut to the picture's width, less half a line each side, before anything is laid out:
    // what cannot be seen costs nothing, and the ellipsis says something was cut.
    float titleSize = 1.3f * size;
    float room = std::max(0.0f, static_cast<float>(in.width) - titleSize);
    addText(marks, 0.5f * static_cast<float>(in.width), 1.25f * titleSize, titleSize, TextAnchor::middle,
            fitText(in.title.c_str(), titleSize, room));
  }
  if (!in.annotate) return marks;

  double lo = axisXOf(in.firstPos, in.zoomSteps), hi = axisXOf(in.lastPos, in.zoomSteps);
  if (!visibleAxis(in, -1.0, 1.0, lo, hi)) return marks;
  addPositionTicks(in, lo, hi, size, marks);
  // The legend's labels need room on its left.
  double legendLo = lo, legendHi = hi;
  if (visibleAxis(in, -1.0 + 2.0 * (4.5 * size) / in.width, 1.0, legendLo, legendHi))
    addHeightLegend(in, legendLo, size, marks);
  return marks;
}
