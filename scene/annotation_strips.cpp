#include "annotation_strips.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "annotation_lanes.h"
#include "axis_scale.h"
#include "axis_ruler.h"
#include "camera.h"
#include "lane_grains.h"
#include "lane_strips.h"
#include "pair_facts.h"

namespace {

constexpr float kFirstLaneY = -0.36f;  // behind the ruler's labels, seen from the start camera
constexpr float kLaneGap = 0.06f;
constexpr double kLaneEnd = 4294967296.0;  // features hold 32-bit positions: no lane reaches further

// Grains by lane and by the power of two of their gap; made once each, when first needed,
// for the lanes of these files with these counts (read again, they start afresh).
std::vector<std::pair<std::string, size_t>> grainsOf;
std::vector<std::map<int, Grain>> grains;

// Forgets the grains when the lanes are no longer those they were made for.
void keepGrainsFor(const AnnotationLanes& lanes) {
  bool same = grainsOf.size() == lanes.lanes.size();
  for (size_t k = 0; k < lanes.lanes.size() && same; ++k)
    same = grainsOf[k].first == lanes.lanes[k].path && grainsOf[k].second == featureCount(lanes.lanes[k].features);
  if (same) return;
  grainsOf.clear();
  for (const AnnotationLane& each : lanes.lanes) grainsOf.emplace_back(each.path, featureCount(each.features));
  grains.assign(lanes.lanes.size(), {});
}

const Grain& grainOf(const AnnotationLanes& lanes, size_t lane, int level) {
  auto found = grains[lane].find(level);
  if (found != grains[lane].end()) return found->second;
  Grain& grain = grains[lane][level];
  mergeLaneStrips(lanes.lanes[lane].features, level < 0 ? 0 : uint32_t{1} << level, grain.strips);
  for (const LaneStrip& strip : grain.strips) grain.longest = std::max(grain.longest, strip.end - strip.start);
  return grain;
}

}  // namespace

float laneFront(int lane) { return kFirstLaneY - static_cast<float>(lane) * (kLaneDepth + kLaneGap); }

void addAnnotationLanes(DrawList& list, const ViewState& view, const AnnotationLanes& lanes) {
  const float* m = list.matrix;
  int width = list.width, height = list.height;
  keepGrainsFor(lanes);
  static std::vector<StripToDraw> strips;  // kept: its room is reused from frame to frame
  beginDrawItem(list, DrawKind::quads, DrawSpace::world);
  for (size_t k = 0; k < lanes.lanes.size(); ++k) {
    const AnnotationLane& lane = lanes.lanes[k];
    float front = laneFront(static_cast<int>(k)), middle = front - kLaneDepth / 2;
    double origin = camera.originX;
    double low = 0.0 - origin, high = xOfPosition(kLaneEnd, view.zoomSteps) - origin;
    if (!groundStretchInView(m, middle, low, high)) continue;
    int rows = lane.features.rowsUsed > 0 ? lane.features.rowsUsed : 1;
    float rowDepth = kLaneDepth / static_cast<float>(rows);
    // The lane's ground, pale, so that a lane of few features still reads as one.
    static const float pale[4] = {0.93f, 0.93f, 0.91f, 1.0f};
    addVertex(list, static_cast<float>(low), front, 0.001f, pale);
    addVertex(list, static_cast<float>(high), front, 0.001f, pale);
    addVertex(list, static_cast<float>(high), front - kLaneDepth, 0.001f, pale);
    addVertex(list, static_cast<float>(low), front - kLaneDepth, 0.001f, pale);
    stripsToDraw(m, width, height, middle, low, high, view.zoomSteps,
                 [&](int level) -> const Grain& { return grainOf(lanes, k, level); }, strips, origin);
    for (const StripToDraw& each : strips) {
      const LaneStrip* strip = each.strip;
      const Rgb& colour = lanes.classes[strip->featureClass].colour;
      // Just above the floor, which lies at 0.
      float x0 = static_cast<float>(each.x0), x1 = static_cast<float>(each.x1);
      float y0 = front - static_cast<float>(strip->row) * rowDepth, y1 = y0 - rowDepth * 0.85f;
      // Bytes as the GL takes them: c / 255 in single precision.
      const float rgba[4] = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 1.0f};
      addVertex(list, x0, y0, 0.002f, rgba);
      addVertex(list, x1, y0, 0.002f, rgba);
      addVertex(list, x1, y1, 0.002f, rgba);
      addVertex(list, x0, y1, 0.002f, rgba);
    }
  }
}
