#include "figure_records.h"

#include <cstddef>
#include <vector>

#include "record_table.h"
#include "tandem_loader.h"
#include "axis_units.h"
#include "pair_shown.h"

namespace {

std::vector<float> loadedX, loadedLen;

}  // namespace

void keepLoadedRecords() {
  loadedX.resize(static_cast<std::size_t>(recordTable.count));
  loadedLen.resize(static_cast<std::size_t>(recordTable.count));
  for (int32_t i = 1; i < recordTable.count; ++i) {
    loadedX[i] = recordTable.slots[i].x;
    loadedLen[i] = recordTable.slots[i].len;
  }
}

void normaliseRecordsFor(int64_t maxLen) {
  for (int32_t i = 1; i < recordTable.count; ++i) {
    recordTable.slots[i].x = loadedX[i];
    recordTable.slots[i].len = loadedLen[i];
  }
  if (maxLen <= 0) {
    normalizeRecords();
    return;
  }
  double divisor = static_cast<double>(maxLen) / 7.0;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    float& len = recordTable.slots[i].len;
    len = static_cast<float>(len / divisor);
    if (len > 7.0f) len = 7.0f;
  }
  scaleRecordsX(kAxisScale);
}

bool drawnExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  bool any = false;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& r = recordTable.slots[i];
    if (!pairShown(view, i)) continue;
    if (!any) {
      box = {r.x, r.x, r.y, r.y, r.len};
      firstPos = lastPos = r.pos;
      any = true;
      continue;
    }
    if (r.x < box.xMin) box.xMin = r.x;
    if (r.x > box.xMax) box.xMax = r.x;
    if (r.y < box.yMin) box.yMin = r.y;
    if (r.y > box.yMax) box.yMax = r.y;
    if (r.len > box.zMax) box.zMax = r.len;
    if (r.pos < firstPos) firstPos = r.pos;
    if (r.pos > lastPos) lastPos = r.pos;
  }
  return any;
}

float axisXOf(int64_t pos, int zoomSteps) {
  float x = static_cast<float>(pos);
  x = static_cast<float>(x * kAxisScale);
  for (int i = 0; i < zoomSteps; ++i) x = static_cast<float>(x * kZoomFactor);
  return x;
}
