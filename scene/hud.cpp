#include "hud.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "annotation_lanes.h"
#include "annotation_strips.h"
#include "axis_ruler.h"
#include "dot_plot.h"
#include "axis_scale.h"
#include "bar_height.h"
#include "axis_ticks.h"
#include "camera.h"
#include "features_under.h"
#include "pair_facts.h"
#include "bar_records.h"
#include "pyramid_bars.h"
#include "sequence_places.h"
#include "shown_pairs.h"
#include "text_raster.h"
#include "window_mode.h"

namespace {

constexpr float kTextHeight = 15.0f;
constexpr int kLineStep = 19;
constexpr int kMargin = 8;
constexpr float kHudBacking[4] = {1.0f, 1.0f, 1.0f, 0.7f};
constexpr double kHudCameraReach = 600000000.0;
constexpr double kStoreCameraReach = 1e12;

// The two bars drawn over everything in a bright colour, and an arc through the air from
// one top to the other.
void addPickedPair(DrawList& list, const ViewState& view, int32_t slot) {
  if (slot < 1 || slot >= barSlotEnd()) return;
  int32_t other = partnerSlot(slot);
  if (other < 1 || other >= barSlotEnd()) return;
  // From the camera's origin, as the bars stand.
  struct {
    float x, y;
  } a{static_cast<float>(barX(slot) - camera.originX), barY(slot)},
      b{static_cast<float>(barX(other) - camera.originX), barY(other)};
  float heightA = barHeight(view, barLength(slot)), heightB = barHeight(view, barLength(other));
  DrawItem& bars = beginDrawItem(list, DrawKind::lines, DrawSpace::world);
  bars.onTop = true;
  bars.size = 3.0f;
  addVertex(list, a.x, a.y, 0.0f, kPickColour);
  addVertex(list, a.x, a.y, heightA, kPickColour);
  addVertex(list, b.x, b.y, 0.0f, kPickColour);
  addVertex(list, b.x, b.y, heightB, kPickColour);
  double span = std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
  double rise = 0.3 + 0.3 * (span < 3.0 ? span : 3.0);
  DrawItem& arc = beginDrawItem(list, DrawKind::lineStrip, DrawSpace::world);
  arc.onTop = true;
  arc.size = 2.0f;
  const int segments = 24;
  for (int i = 0; i <= segments; ++i) {
    double t = static_cast<double>(i) / segments;
    addVertex(list, static_cast<float>(a.x + (b.x - a.x) * t), static_cast<float>(a.y + (b.y - a.y) * t),
              static_cast<float>(heightA + (heightB - heightA) * t + rise * 4.0 * t * (1.0 - t)), kPickColour);
  }
}

// A length in bases to two figures, in the unit that suits it: "4.5 Mb", "120 kb", "35 bp".
std::string roughBases(double bases) {
  int64_t whole = std::max<int64_t>(1, std::llround(bases));
  int64_t spacing = 1;
  while (whole / spacing >= 100) spacing *= 10;
  char text[32];
  formatTickLabel(whole / spacing * spacing, spacing, text, sizeof text);
  return text;
}

// In flight the camera's place is given as precisely as its altitude sees, in Gb, Mb, kb
// or bases, and the altitude with it.
void flightCameraLine(double over, const ViewState& view, char* line) {
  double altitude = positionOfX(camera.camZ, view.zoomSteps);
  int64_t step = tickSpacing(std::llround(altitude), 100);  // about a hundredth of the altitude
  int64_t at = std::llround(over);
  std::string where;
  SequencePlace place;
  bool named = sequencePlaceOf(loadedSequences(), at, place);
  int64_t shown = named ? place.position : at;
  if (step < 1000) {
    where = formatAxisPlace(loadedSequences(), at);
  } else {
    char text[32];
    formatTickLabel((shown + step / 2) / step * step, step, text, sizeof text);
    where = named ? loadedSequences().sequences[place.sequence].name + " at " + text : text;
  }
  std::snprintf(line, kHudLineRoom, "camera over %s \u00b7 altitude %s", where.c_str(), roughBases(altitude).c_str());
}

}  // namespace

int hudLines(const ViewState& view, char lines[kHudLines][kHudLineRoom]) {
  int n = 0;
  if (!view.look.hud) {
    // The go-to prompt opened with the HUD off: its line alone.
    if (view.input.promptLine != nullptr) std::snprintf(lines[n++], kHudLineRoom, "%s", view.input.promptLine);
    return n;
  }
  char a[32], b[32], c[32];
  formatBases(barPairCount(), a, sizeof a);
  if (view.fileName != nullptr && view.fileName[0] != '\0')
    std::snprintf(lines[n++], kHudLineRoom, "%s \u00b7 %s pairs", view.fileName, a);
  else
    std::snprintf(lines[n++], kHudLineRoom, "%s pairs", a);
  // Below zero (the keypad has no bounds) every pair is shown; past the longest, none.
  double above =
      std::clamp(basesOfNormalisedLength(view.filter.threshold), 0.0, static_cast<double>(barsMaxLen()));
  formatBases(std::llround(above), a, sizeof a);
  // A store's shown pairs are counted by the pyramid, made aside, not by a pass over them all.
  formatBases(barsThroughPyramid() ? pyramidShownBars(view) / 2 : shownPairCount(view), c, sizeof c);
  int used = std::snprintf(lines[n], kHudLineRoom, "showing %s pairs longer than %s bp", c, a);
  if (view.filter.minIdentity != 0 && used > 0 && used < kHudLineRoom)
    used += std::snprintf(lines[n] + used, static_cast<size_t>(kHudLineRoom - used), ", identity \u2265 %u.%02u%%",
                          view.filter.minIdentity / 100u, view.filter.minIdentity % 100u);
  if (view.filter.regionStart >= 0 && used > 0 && used < kHudLineRoom)
    std::snprintf(lines[n] + used, static_cast<size_t>(kHudLineRoom - used), ", in %s \u2013 %s",
                  formatAxisPlace(loadedSequences(), view.filter.regionStart).c_str(),
                  formatAxisPlace(loadedSequences(), view.filter.regionEnd - 1).c_str());
  ++n;
  // Always a line, so that a figure can leave room for it before the bars are chosen.
  if (barsThroughPyramid()) {
    formatBases(densestColumn(), a, sizeof a);
    if (densestColumn() > 1)
      std::snprintf(lines[n++], kHudLineRoom, "shade: pairs a column stands for, 1 (bar colour) to %s (amber)", a);
    else
      std::snprintf(lines[n++], kHudLineRoom, "shade: pairs a column stands for, 1 each");
  }
  if (view.filter.windowMode) {
    // Counted from 1, as --window-start takes it.
    formatBases(typedOfAxis(view.filter.windowStart), a, sizeof a);
    formatBases(typedOfAxis(static_cast<int64_t>(view.filter.windowStart) + kWindowSpan), b, sizeof b);
    std::snprintf(lines[n++], kHudLineRoom, "window %s \u2013 %s", a, b);
  }
  // Within twice the axis' length of position 0 the camera's position is worth a number;
  // past that (a camera placed at 1e30) the number would say nothing, or overflow. A named
  // file's axis reaches past any genome.
  double over = positionOfX(cameraWorldX(camera), view.zoomSteps);
  double reach = pairStoreActive() ? kStoreCameraReach : kHudCameraReach;
  if (cameraInFlight(camera) && std::fabs(over) <= reach) {
    flightCameraLine(over, view, lines[n++]);
  } else if (std::fabs(over) <= reach) {
    SequencePlace place;
    if (!sequencePlaceOf(loadedSequences(), std::llround(over), place)) {
      formatBases(std::llround(over), a, sizeof a);
      std::snprintf(lines[n++], kHudLineRoom, "camera over position %s", a);
    } else {
      std::snprintf(lines[n++], kHudLineRoom, "camera over %s",
                    formatAxisPlace(loadedSequences(), std::llround(over)).c_str());
    }
  } else {
    std::snprintf(lines[n++], kHudLineRoom, "camera far off the axis");
  }
  if (view.input.hasCursor)
    std::snprintf(lines[n++], kHudLineRoom, "%s",
                  view.input.cursorFree != 0 ? "cursor free \u00b7 Q or Escape: mouse look"
                                             : "mouse look \u00b7 Q or Escape: free the cursor");
  PairFacts facts;
  if (view.input.pickedSlot != 0 && describePair(view.input.pickedSlot, facts)) {
    formatPairLine(facts, lines[n++], kHudLineRoom);
    if (view.annotations != nullptr) {
      const AnnotationLanes& lanes = *view.annotations;
      std::string one =
          nameFeatures(lanes, featuresUnder(lanes, facts.position, facts.position + facts.copyLength), 2);
      std::string other =
          nameFeatures(lanes, featuresUnder(lanes, facts.partner, facts.partner + facts.partnerLength), 2);
      if (!one.empty() || !other.empty())
        std::snprintf(lines[n++], kHudLineRoom, "its ends lie on %s \u2194 %s", one.empty() ? "nothing" : one.c_str(),
                      other.empty() ? "nothing" : other.c_str());
    }
  }
  if (view.input.promptLine != nullptr) std::snprintf(lines[n++], kHudLineRoom, "%s", view.input.promptLine);
  return n;
}

namespace {

constexpr size_t kLegendClasses = 12;

// The lanes' classes, each in its colour: what the strips mean.
struct LaneLegend {
  char lines[kLegendClasses][96];
  const FeatureClass* classes[kLegendClasses];
  size_t count = 0;
  int width = 0;
};

LaneLegend laneLegend(const AnnotationLanes& lanes) {
  LaneLegend legend;
  const std::vector<FeatureClass>& classes = annotationClasses(lanes);
  legend.count = classes.size() < kLegendClasses ? classes.size() : kLegendClasses;
  for (size_t i = 0; i < legend.count; ++i) {
    char count[32];
    formatBases(static_cast<int64_t>(classes[i].count), count, sizeof count);
    std::snprintf(legend.lines[i], sizeof legend.lines[i], "\u25a0 %s (%s)", classes[i].name.c_str(), count);
    legend.classes[i] = &classes[i];
    int w = measureText(legend.lines[i], kTextHeight);
    if (w > legend.width) legend.width = w;
  }
  return legend;
}

void addLaneLegend(DrawList& list, const LaneLegend& legend, int left, int top) {
  addPanel(list, left - 4, top - 3, legend.width + 10, static_cast<int>(legend.count) * kLineStep + 5, kHudBacking);
  for (size_t i = 0; i < legend.count; ++i) {
    const Rgb& c = legend.classes[i]->colour;
    // Dark enough to read on white: the class colour, a little deeper.
    float ink[3] = {c.r / 255.0f * 0.8f, c.g / 255.0f * 0.8f, c.b / 255.0f * 0.8f};
    addOverlayText(list, legend.lines[i], left, top + static_cast<int>(i) * kLineStep, kTextHeight, ink);
  }
}

// "on the lane of genes.bed: rrnB" for the lane strip under the free cursor, if any.
std::string featuresUnderPointer(const DrawList& list, const ViewState& view) {
  if (view.input.pointerX < 0 || view.annotations == nullptr || !view.look.showLanes) return "";
  int width = list.width, height = list.height;
  const float* m = list.matrix;
  double x = 0, y = 0, x1 = 0, y1 = 0;
  if (!groundUnder(m, view.input.pointerX + 0.5, view.input.pointerY + 0.5, width, height, x, y) ||
      !groundUnder(m, view.input.pointerX + 1.5, view.input.pointerY + 0.5, width, height, x1, y1))
    return "";
  const AnnotationLanes& lanes = *view.annotations;
  for (size_t k = 0; k < lanes.lanes.size(); ++k) {
    float front = laneFront(static_cast<int>(k));
    if (y > front || y < front - kLaneDepth) continue;
    // A pixel's width on either side, so a strip drawn a pixel wide can be pointed at.
    double reach = positionOfX(std::fabs(x1 - x), view.zoomSteps);
    int64_t at = std::llround(positionOfX(x + camera.originX, view.zoomSteps));  // the matrix's x is the origin's
    std::vector<uint32_t> found;
    featuresOverlapping(lanes.lanes[k].features, at - static_cast<int64_t>(reach) - 1,
                        at + static_cast<int64_t>(reach) + 2, found);
    std::vector<FeatureHit> hits;
    for (uint32_t feature : found) hits.push_back({static_cast<uint32_t>(k), feature});
    std::string text = nameFeatures(lanes, hits, 4);
    if (text.empty()) return "";
    return "under the pointer: " + text;
  }
  return "";
}

}  // namespace

void addHud(DrawList& list, const ViewState& view) {
  char lines[kHudLines + 1][kHudLineRoom];
  int count = hudLines(view, lines);
  int promptAt = view.input.promptLine != nullptr ? count - 1 : -1;  // hudLines puts it last
  std::string under = view.look.hud ? featuresUnderPointer(list, view) : "";
  if (!under.empty()) std::snprintf(lines[count++], kHudLineRoom, "%s", under.c_str());
  int width = list.width;
  // No line runs off the picture: what does not fit ends in an ellipsis.
  int widest = 0;
  std::string prompt;
  for (int i = 0; i < count; ++i) {
    int w = measureText(lines[i], kTextHeight);
    if (i == promptAt) {
      // Typed past the picture's edge, the line scrolls: the caret and why it was not
      // found stay in view. Taken whole: its copy above may have been cut.
      prompt = fitTextScrolled(view.input.promptLine, static_cast<size_t>(view.input.promptTypedFrom),
                               static_cast<size_t>(view.input.promptTypedTo), kTextHeight,
                               static_cast<float>(width - 2 * kMargin));
      w = measureText(prompt.c_str(), kTextHeight);
    } else if (w > width - 2 * kMargin) {
      std::snprintf(lines[i], kHudLineRoom, "%s",
                    fitText(lines[i], kTextHeight, static_cast<float>(width - 2 * kMargin)).c_str());
      w = measureText(lines[i], kTextHeight);
    }
    if (w > widest) widest = w;
  }
  ScreenBox panel{kMargin - 4, kMargin - 3, kMargin + widest + 6, kMargin + count * kLineStep + 2};
  bool legendShown = view.look.hud && view.annotations != nullptr && view.look.showLanes && !view.look.figureHud;
  LaneLegend legend;
  if (legendShown) legend = laneLegend(*view.annotations);
  // At the top right when it clears the text, else under it; the ruler keeps clear of both.
  int legendLeft = width - kMargin - legend.width, legendTop = kMargin;
  if (legendLeft - 8 < panel.right) {
    legendLeft = kMargin;
    legendTop = panel.bottom + 8;
  }
  ScreenBox clear = panel;
  if (legendShown && legend.count > 0 && legendTop > kMargin)
    clear.bottom = legendTop + static_cast<int>(legend.count) * kLineStep + 2;
  if (view.look.hud) {
    if (view.look.dotPlot)
      addPickedSegment(list, view, view.input.pickedSlot);
    else
      addPickedPair(list, view, view.input.pickedSlot);
    if (!view.look.figureHud) addAxisRuler(list, view, clear);
  }
  static const float ink[3] = {0.0f, 0.0f, 0.1f};
  addPanel(list, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top, kHudBacking);
  for (int i = 0; i < count; ++i)
    addOverlayText(list, i == promptAt ? prompt.c_str() : lines[i], kMargin, kMargin + i * kLineStep, kTextHeight, ink);
  if (legendShown && legend.count > 0) addLaneLegend(list, legend, legendLeft, legendTop);
}
