#include "figure_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "axis_scale.h"
#include "axis_ticks.h"
#include "clip_arithmetic.h"
#include "lane_strips.h"
#include "pair_colours.h"
#include "pyramid_bars.h"
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

// The height a pair of this many bases stands, as the bars were drawn (the view's rule).
double heightOf(const MarkInput& in, double bases) { return heightOfLength(bases, in.lengthScale, in.logHeights); }

void addText(FigureMarks& marks, float x, float y, float size, TextAnchor anchor, const std::string& text) {
  marks.texts.push_back({x, y, size, anchor, text});
}

// Position ticks: round spacing, widened until neighbouring labels keep apart.
void addPositionTicks(const MarkInput& in, double lo, double hi, float size, FigureMarks& marks) {
  Screen a = project(in, static_cast<float>(lo), 0), b = project(in, static_cast<float>(hi), 0);
  if (!a.ok || !b.ok) return;
  marks.lines.push_back({a.x, a.y, b.x, b.y});

  int64_t first = static_cast<int64_t>(std::ceil(positionOfX(lo, in.zoomSteps)));
  int64_t last = static_cast<int64_t>(std::floor(positionOfX(hi, in.zoomSteps)));
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
      at[i] = project(in, recordXOf(ticks[i].position, in.zoomSteps), 0);
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

std::string heightCaption(const MarkInput& in) {
  std::string caption = in.logHeights ? "bar height = pair length (log scale)" : "bar height = pair length";
  if (in.clipped) {
    char limit[32];
    formatTickLabel(static_cast<int64_t>(in.lengthScale), static_cast<int64_t>(in.lengthScale), limit, sizeof limit);
    caption += std::string(", clipped at ") + limit;
  }
  return caption;
}

// The log scale's ticks standing at x, from the frame's floor up to top: 1-2-5 steps, so a bar's length
// reads to within a factor of two, or where those crowd, 1-3 steps or the powers of ten.
std::vector<AxisTick> logTicks(const MarkInput& in, double x, int64_t top, float size) {
  static const std::vector<int> kSteps[] = {{1, 2, 5}, {1, 3}, {1}};
  std::vector<AxisTick> ticks;
  for (const std::vector<int>& mantissas : kSteps) {
    ticks.clear();
    bool apart = true;
    float lastY = 1e30f;
    for (int64_t decade = 1; decade <= top && decade <= INT64_MAX / 10; decade *= 10)
      for (int m : mantissas) {
        int64_t v = decade * m;
        if (v < std::max<int64_t>(1, in.heightFloorBases) || v > top) continue;
        float y = project(in, static_cast<float>(x), static_cast<float>(heightOf(in, static_cast<double>(v)))).y;
        apart = apart && lastY - y >= 1.2f * size;
        lastY = y;
        AxisTick tick{v, {}};
        formatTickLabel(v, v, tick.label, sizeof tick.label);
        ticks.push_back(tick);
      }
    if (apart) break;
  }
  return ticks;
}

// The height legend: a scale standing at the axis' left end, ticked in bases: up to four
// round lengths, or 1-2-5 steps on the log scale.
void addHeightLegend(const MarkInput& in, double x, float size, FigureMarks& marks) {
  if (!(in.lengthScale > 0)) return;
  double tallest = std::min(kFullHeight, static_cast<double>(in.tallest));
  int64_t top = static_cast<int64_t>(lengthOfHeight(tallest, in.lengthScale, in.logHeights) + 1e-6);
  if (top < 1) return;
  float tickLength = 0.45f * size;
  auto place = [&](const AxisTick& tick) {
    return project(in, static_cast<float>(x), static_cast<float>(heightOf(in, static_cast<double>(tick.position))));
  };
  std::vector<AxisTick> chosen;
  if (in.logHeights) chosen = logTicks(in, x, top, size);
  for (int wanted = 4; wanted >= 1 && !in.logHeights; --wanted) {
    AxisTick ticks[kMaxTicks];
    size_t n = axisTicks(0, top, tickSpacing(top, wanted), ticks, kMaxTicks);
    if (n < 2 && wanted > 1) continue;
    bool apart = true;
    for (size_t i = 1; i < n && apart; ++i) apart = std::fabs(place(ticks[i]).y - place(ticks[i - 1]).y) >= 1.2f * size;
    if (!apart && wanted > 1) continue;
    chosen.assign(ticks, ticks + n);
    break;
  }
  std::vector<Screen> at;
  for (const AxisTick& tick : chosen) {
    at.push_back(place(tick));
    if (!at.back().ok) return;
  }
  if (at.empty()) return;
  // The scale runs up to the tallest bar, and the caption sits above it, clear of the bars.
  Screen summit = project(in, static_cast<float>(x), static_cast<float>(tallest));
  if (!summit.ok || summit.y > at.back().y) summit = at.back();
  marks.lines.push_back({at[0].x, at[0].y, summit.x, summit.y});
  for (size_t i = 0; i < at.size(); ++i) {
    marks.lines.push_back({at[i].x - tickLength, at[i].y, at[i].x, at[i].y});
    addText(marks, at[i].x - tickLength - 0.25f * size, at[i].y + 0.35f * size, size, TextAnchor::end,
            chosen[i].label);
  }
  addText(marks, std::max(0.5f * size, summit.x - 5.0f * size), summit.y - 0.9f * size, size, TextAnchor::start,
          heightCaption(in));
}

// The flat view. Rows of text are placed by the text size; the HUD's lines, when drawn,
// take their own fixed pixels at the top left.
constexpr float kHudRowPixels = 19.0f;
constexpr float kLaneStep = 0.8f;   // a lane's share of the text size, with its gap
constexpr float kLaneHeight = 0.6f;
constexpr float kLaneTop = 0.3f;    // the first lane's gap under the axis

float hudPixels(int rows) { return rows > 0 ? 8.0f + kHudRowPixels * static_cast<float>(rows) : 0.0f; }

struct FramePixels {
  float left, right, top, bottom;  // bottom: the baseline
};

FramePixels framePixels(const MarkInput& in) {
  float w = static_cast<float>(in.width), h = static_cast<float>(in.height);
  return {static_cast<float>((in.frame.left + 1.0) * 0.5 * w), static_cast<float>((in.frame.right + 1.0) * 0.5 * w),
          static_cast<float>((1.0 - in.frame.top) * 0.5 * h), static_cast<float>((1.0 - in.frame.bottom) * 0.5 * h)};
}

float flatX(const MarkInput& in, int64_t pos) { return project(in, recordXOf(pos, in.zoomSteps), 0).x; }
float flatY(const MarkInput& in, double height) { return project(in, 0, static_cast<float>(height)).y; }

int laneCount(const MarkInput& in) { return in.lanes != nullptr ? static_cast<int>(in.lanes->lanes.size()) : 0; }

float lanesBand(const MarkInput& in, float size) {
  int lanes = laneCount(in);
  return lanes > 0 ? (kLaneTop + kLaneStep * static_cast<float>(lanes)) * size : 0.0f;
}

void addFlatTicks(const MarkInput& in, const FramePixels& f, float size, FigureMarks& marks) {
  marks.lines.push_back({f.left, f.bottom, f.right, f.bottom});
  int64_t first = in.firstPos - in.labelOrigin, last = in.lastPos - in.labelOrigin;
  if (last < first) return;
  float tickEnd = f.bottom + lanesBand(in, size) + 0.45f * size;
  float labelY = tickEnd + 0.95f * size;
  for (int wanted = std::max(1, static_cast<int>((f.right - f.left) / (size * 6))); wanted >= 1; --wanted) {
    AxisTick ticks[kMaxTicks];
    size_t n = axisTicks(first, last, tickSpacing(last - first, wanted), ticks, kMaxTicks);
    std::vector<float> at(n);
    bool apart = n > 0;
    for (size_t i = 0; i < n && apart; ++i) {
      at[i] = flatX(in, ticks[i].position + in.labelOrigin);
      if (i > 0) {
        float room = 0.5f * (textWidth(ticks[i].label, size) + textWidth(ticks[i - 1].label, size)) + size;
        apart = at[i] - at[i - 1] >= room;
      }
    }
    if (!apart && wanted > 1) continue;
    for (size_t i = 0; i < n; ++i) {
      marks.lines.push_back({at[i], f.bottom, at[i], tickEnd});
      float half = 0.5f * textWidth(ticks[i].label, size);
      if (at[i] - half < 0 || at[i] + half > static_cast<float>(in.width)) continue;
      addText(marks, at[i], labelY, size, TextAnchor::middle, ticks[i].label);
    }
    break;
  }
  if (!in.axisName.empty())
    addText(marks, 0.5f * (f.left + f.right), labelY + 1.3f * size, size, TextAnchor::middle,
            fitText(("position on " + in.axisName).c_str(), size, static_cast<float>(in.width) - size));
}

// On an axis of several sequences, positions mean little without them: a mark in the row of
// names where each starts, and each name from its start (or the frame's left edge) where it
// fits before the next start.
void addSequenceBoundaries(const MarkInput& in, const FramePixels& f, float size, FigureMarks& marks) {
  if (in.sequences == nullptr || in.lastPos < in.firstPos) return;
  float labelY = f.bottom + lanesBand(in, size) + 0.45f * size + 0.95f * size;
  float nameY = labelY + 1.3f * size;
  float markTop = labelY + 0.35f * size, markEnd = nameY + 0.25f * size;
  struct Stretch {
    float left, right;
    const std::string* name;
  };
  std::vector<Stretch> stretches;
  float lastMark = -1e30f;
  for (const AxisSequence& sequence : in.sequences->sequences) {
    if (sequence.offset > in.lastPos) break;
    if (sequence.offset + sequence.length <= in.firstPos) continue;
    float x = f.left;
    if (sequence.offset > in.firstPos) {
      x = flatX(in, sequence.offset);
      if (x - lastMark >= 3.0f) marks.lines.push_back({x, markTop, x, markEnd});  // apart from the last
      lastMark = x;
    }
    float right = sequence.offset + sequence.length > in.lastPos ? f.right : flatX(in, sequence.offset + sequence.length);
    stretches.push_back({x, right, &sequence.name});
  }
  for (const Stretch& stretch : stretches) {
    float start = stretch.left + 0.25f * size, end = start + textWidth(*stretch.name, size);
    if (end > std::min(static_cast<float>(in.width), stretch.right)) continue;  // crossing marks would misname
    addText(marks, start, nameY, size, TextAnchor::start, *stretch.name);
  }
}

// The height scale standing just left of the frame, ticked in bases: round lengths, as many
// as keep apart, or 1-2-5 steps on the log scale from the length at the frame's floor.
void addFlatHeightScale(const MarkInput& in, const FramePixels& f, float size, FigureMarks& marks) {
  if (!(in.lengthScale > 0)) return;
  float x = f.left - 0.3f * size, tickLength = 0.45f * size;
  double tallest = std::min(kFullHeight, static_cast<double>(in.tallest));
  int64_t top = static_cast<int64_t>(lengthOfHeight(tallest, in.lengthScale, in.logHeights) + 1e-6);
  if (top < 1) return;
  std::vector<AxisTick> chosen;
  if (in.logHeights) {
    chosen = logTicks(in, 0.0, top, size);
  } else {
    for (int wanted = std::max(4, static_cast<int>((f.bottom - f.top) / (2.5f * size))); wanted >= 1; --wanted) {
      AxisTick ticks[kMaxTicks];
      size_t n = axisTicks(0, top, tickSpacing(top, wanted), ticks, kMaxTicks);
      bool apart = n >= 2 || wanted == 1;
      for (size_t i = 1; i < n && apart; ++i)
        apart = std::fabs(flatY(in, heightOf(in, static_cast<double>(ticks[i].position))) -
                          flatY(in, heightOf(in, static_cast<double>(ticks[i - 1].position)))) >= 1.2f * size;
      if (!apart) continue;
      chosen.assign(ticks, ticks + n);
      break;
    }
  }
  float summit = flatY(in, tallest);
  marks.lines.push_back({x, f.bottom, x, summit});
  float lastY = 1e30f;
  for (const AxisTick& tick : chosen) {
    float y = flatY(in, heightOf(in, static_cast<double>(tick.position)));
    if (lastY - y < 1.2f * size) continue;  // log ticks crowd on a short scale
    lastY = y;
    marks.lines.push_back({x - tickLength, y, x, y});
    addText(marks, x - tickLength - 0.25f * size, y + 0.35f * size, size, TextAnchor::end, tick.label);
  }
  addText(marks, std::max(0.5f * size, x - 5.0f * size), f.top - 0.9f * size, size, TextAnchor::start,
          heightCaption(in));
}

// The features of each lane as strips under the axis, merged where a pixel spans several.
void addFlatLanes(const MarkInput& in, const FramePixels& f, float size, FigureMarks& marks) {
  if (laneCount(in) == 0 || in.lastPos < in.firstPos) return;
  double perPixel = static_cast<double>(in.lastPos - in.firstPos + 1) / std::max(1.0f, f.right - f.left);
  uint32_t gap = perPixel > 1 ? static_cast<uint32_t>(std::min(perPixel, 4e9)) : 0;
  std::vector<LaneStrip> strips;
  for (int k = 0; k < laneCount(in); ++k) {
    const AnnotationLane& lane = in.lanes->lanes[static_cast<size_t>(k)];
    mergeLaneStrips(lane.features, gap, strips);
    int rows = lane.features.rowsUsed > 0 ? lane.features.rowsUsed : 1;
    float top = f.bottom + (kLaneTop + kLaneStep * static_cast<float>(k)) * size;
    float rowHeight = kLaneHeight * size / static_cast<float>(rows);
    for (const LaneStrip& strip : strips) {
      if (strip.end <= in.firstPos || strip.start > in.lastPos) continue;
      float x0 = std::max(f.left, flatX(in, strip.start));
      float x1 = std::min(f.right, std::max(flatX(in, strip.end), x0 + 1.0f));
      const Rgb& c = in.lanes->classes[strip.featureClass].colour;
      marks.rects.push_back({x0, top + rowHeight * static_cast<float>(strip.row), x1 - x0, rowHeight, {c.r, c.g, c.b}});
    }
  }
}

struct LegendItem {
  std::vector<MarkRect> swatches;  // placed from x = 0, y = 0 (the swatch row's top)
  std::string text;                // after the swatches
  std::string before;              // before them (the gradient's low end)
};

MarkRect swatch(float x, float size, const float rgb[3]) {
  MarkRect r{x, 0, 0.7f * size, 0.7f * size, {}};
  for (int c = 0; c < 3; ++c) r.rgb[c] = static_cast<uint8_t>(std::lround(std::min(1.0f, std::max(0.0f, rgb[c])) * 255));
  return r;
}

std::string percentText(int hundredths) {
  char text[16];
  if (hundredths % 100 == 0)
    std::snprintf(text, sizeof text, "%d%%", hundredths / 100);
  else
    std::snprintf(text, sizeof text, "%.1f%%", hundredths / 100.0);
  return text;
}

// The classes of the features the lanes draw: those in the frame's range.
std::vector<bool> classesInFrame(const MarkInput& in) {
  std::vector<bool> present(annotationClasses(*in.lanes).size(), false);
  std::vector<uint32_t> hits;
  for (const AnnotationLane& lane : in.lanes->lanes) {
    hits.clear();
    featuresOverlapping(lane.features, in.firstPos, in.lastPos + 1, hits);
    for (uint32_t feature : hits) present[lane.features.featureClass[feature]] = true;
  }
  return present;
}

std::vector<LegendItem> legendItems(const MarkInput& in, float size) {
  std::vector<LegendItem> items;
  if (in.strandLegend) {
    float colour[3];
    if (in.sameStrandShown) {
      orientationColour(0, colour);
      items.push_back({{swatch(0, size, colour)}, "same strand", ""});
    }
    if (in.invertedShown) {
      orientationColour(1, colour);
      items.push_back({{swatch(0, size, colour)}, "inverted", ""});
    }
  }
  if (in.identityLegend) {
    LegendItem gradient{{}, percentText(in.identityHigh) + " identity", percentText(in.identityLow)};
    constexpr int kSteps = 24;
    float step = 6.0f * size / kSteps;
    for (int i = 0; i < kSteps; ++i) {
      float colour[3];
      int identity = in.identityLow + (in.identityHigh - in.identityLow) * i / (kSteps - 1);
      identityColour(static_cast<uint16_t>(identity), colour);
      MarkRect r = swatch(step * static_cast<float>(i), size, colour);
      r.w = step + 0.5f;  // no seams between the steps
      gradient.swatches.push_back(r);
    }
    items.push_back(gradient);
  }
  if (in.densest > 1) {
    char most[48];
    std::snprintf(most, sizeof most, "%u pairs a column stands for", in.densest);
    LegendItem shade{{}, most, "1"};
    constexpr int kSteps = 24;
    float step = 6.0f * size / kSteps;
    for (int i = 0; i < kSteps; ++i) {
      float colour[3] = {0.0f, 0.0f, 0.8f};
      double count = std::pow(static_cast<double>(in.densest), static_cast<double>(i) / (kSteps - 1));
      shadeByDensity(static_cast<uint32_t>(std::lround(count)), in.densest, colour);
      MarkRect r = swatch(step * static_cast<float>(i), size, colour);
      r.w = step + 0.5f;
      shade.swatches.push_back(r);
    }
    items.push_back(shade);
  }
  if (in.lanes != nullptr) {
    std::vector<bool> present = classesInFrame(in);
    for (size_t k = 0; k < present.size(); ++k) {
      if (!present[k]) continue;
      const FeatureClass& cls = annotationClasses(*in.lanes)[k];
      float colour[3] = {cls.colour.r / 255.0f, cls.colour.g / 255.0f, cls.colour.b / 255.0f};
      items.push_back({{swatch(0, size, colour)}, cls.name, ""});
    }
  }
  return items;
}

// One row above the frame's caption row, right-aligned on the frame; the text shrinks
// until the row fits the picture.
void addLegendRow(const MarkInput& in, const FramePixels& f, float size, FigureMarks& marks) {
  float textSize = size;
  std::vector<LegendItem> items;
  float width = 0;
  for (; textSize >= 0.5f * size; textSize *= 0.9f) {
    items = legendItems(in, textSize);
    width = 0;
    for (const LegendItem& item : items) {
      float swatches = 0;
      for (const MarkRect& r : item.swatches) swatches = std::max(swatches, r.x + r.w);
      if (!item.before.empty()) width += textWidth(item.before, textSize) + 0.3f * textSize;
      width += swatches + 0.3f * textSize + textWidth(item.text, textSize) + textSize;
    }
    if (width <= static_cast<float>(in.width) - size) break;
  }
  if (items.empty()) return;
  float x = std::max(0.5f * size, std::min(f.right, static_cast<float>(in.width) - 0.5f * size) - width + textSize);
  float baseline = f.top - 2.3f * size;
  float swatchTop = baseline - 0.65f * textSize;
  for (const LegendItem& item : items) {
    if (!item.before.empty()) {
      addText(marks, x, baseline, textSize, TextAnchor::start, item.before);
      x += textWidth(item.before, textSize) + 0.3f * textSize;
    }
    float swatches = 0;
    for (MarkRect r : item.swatches) {
      swatches = std::max(swatches, r.x + r.w);
      r.x += x;
      r.y += swatchTop;
      marks.rects.push_back(r);
    }
    x += swatches + 0.3f * textSize;
    addText(marks, x, baseline, textSize, TextAnchor::start, item.text);
    x += textWidth(item.text, textSize) + textSize;
  }
}

void layoutFlatMarks(const MarkInput& in, float size, FigureMarks& marks) {
  FramePixels f = framePixels(in);
  addFlatLanes(in, f, size, marks);
  if (in.annotate) {
    addFlatTicks(in, f, size, marks);
    addSequenceBoundaries(in, f, size, marks);
    addFlatHeightScale(in, f, size, marks);
    addLegendRow(in, f, size, marks);
  }
}

}  // namespace

float figureTextSize(int width, int height) {
  float size = static_cast<float>(std::min(height / 30.0, width / 45.0));
  return std::max(14.0f, size);
}

FitFrame figureFitFrame(int width, int height, bool annotate, bool titled) {
  return flatFitFrame(width, height, annotate, titled, false, false, 0, 0);
}

FitFrame flatFitFrame(int width, int height, bool annotate, bool titled, bool legendRow, bool named, int lanes,
                      int hudRows) {
  float size = figureTextSize(width, height);
  double w = width, h = height;
  double left = 0.03 * w, right = 0.03 * w, bottom = 0.04 * h, top = 0.04 * h;
  if (annotate) {
    left = 5.5 * size;
    right = 1.5 * size;
    bottom = 2.8 * size + (named ? 1.4 * size : 0.0);
    top = 2.2 * size + (legendRow ? 1.4 * size : 0.0);
  }
  if (lanes > 0) bottom += (kLaneTop + kLaneStep * static_cast<float>(lanes)) * size;
  if (titled) top += 2.0 * size;
  top += hudPixels(hudRows);
  return {-1 + 2 * left / w, 1 - 2 * right / w, -1 + 2 * bottom / h, 1 - 2 * top / h};
}

FigureMarks layoutFigureMarks(const MarkInput& in) {
  FigureMarks marks;
  float size = figureTextSize(in.width, in.height);
  marks.lineWidth = std::max(1.0f, std::round(size / 14.0f));
  if (in.nothingShown) {
    // An empty frame would look like a picture that failed.
    const FitFrame whole{-1, 1, -1, 1};
    const FitFrame& frame = in.flat ? in.frame : whole;
    addText(marks, static_cast<float>((frame.left + frame.right + 2) / 4 * in.width),
            static_cast<float>((2 - frame.top - frame.bottom) / 4 * in.height), size, TextAnchor::middle,
            "no pairs shown");
  }
  if (in.flat) {
    if (!in.title.empty()) {
      float titleSize = 1.3f * size;
      float room = std::max(0.0f, static_cast<float>(in.width) - titleSize);
      addText(marks, 0.5f * static_cast<float>(in.width), hudPixels(in.hudRows) + 1.25f * titleSize, titleSize,
              TextAnchor::middle, fitText(in.title.c_str(), titleSize, room));
    }
    layoutFlatMarks(in, size, marks);
    return marks;
  }
  if (!in.title.empty()) {
    // Cut to the picture's width, less half a line each side, before anything is laid out:
    // what cannot be seen costs nothing, and the ellipsis says something was cut.
    float titleSize = 1.3f * size;
    float room = std::max(0.0f, static_cast<float>(in.width) - titleSize);
    addText(marks, 0.5f * static_cast<float>(in.width), 1.25f * titleSize, titleSize, TextAnchor::middle,
            fitText(in.title.c_str(), titleSize, room));
  }
  if (!in.annotate) return marks;

  double lo = recordXOf(in.firstPos, in.zoomSteps), hi = recordXOf(in.lastPos, in.zoomSteps);
  if (!visibleAxis(in, -1.0, 1.0, lo, hi)) return marks;
  addPositionTicks(in, lo, hi, size, marks);
  // The legend's labels need room on its left.
  double legendLo = lo, legendHi = hi;
  if (visibleAxis(in, -1.0 + 2.0 * (4.5 * size) / in.width, 1.0, legendLo, legendHi))
    addHeightLegend(in, legendLo, size, marks);
  return marks;
}

void addFigureMarks(DrawList& list, const FigureMarks& marks) {
  for (const MarkRect& r : marks.rects) {
    const float rgba[4] = {r.rgb[0] / 255.0f, r.rgb[1] / 255.0f, r.rgb[2] / 255.0f, 1.0f};
    addDrawRect(list, DrawSpace::picture, r.x, r.y, r.w, r.h, rgba);
  }
  static const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  if (!marks.lines.empty()) {
    beginDrawItem(list, DrawKind::lines, DrawSpace::picture).size = marks.lineWidth;
    for (const MarkLine& line : marks.lines) {
      addVertex(list, line.x0, line.y0, 0.0f, black);
      addVertex(list, line.x1, line.y1, 0.0f, black);
    }
  }
  for (const MarkText& t : marks.texts) addDrawText(list, DrawSpace::picture, t.x, t.y, t.size, t.anchor, black, t.text);
}
