#include "figure_records.h"

#include <cstddef>
#include <vector>

#include "axis_units.h"
#include "record_places.h"
#include "record_table.h"
#include "tandem_loader.h"

namespace {

std::vector<float> loadedLen;

}  // namespace

void keepLoadedRecords() {
  loadedLen.resize(static_cast<std::size_t>(recordTable.count));
  for (int32_t i = 1; i < recordTable.count; ++i) loadedLen[i] = recordTable.slots[i].len;
}

void normaliseRecordsFor(int64_t maxLen) {
  for (int32_t i = 1; i < recordTable.count; ++i) recordTable.slots[i].len = loadedLen[i];
  restoreLoadedPlaces();
  if (maxLen <= 0) {
    normalizeLengths();
    return;
  }
  double divisor = static_cast<double>(maxLen) / 7.0;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    float& len = recordTable.slots[i].len;
    len = static_cast<float>(len / divisor);
    if (len > 7.0f) len = 7.0f;
  }
}

float axisXOf(int64_t pos, int zoomSteps) {
  float x = static_cast<float>(pos);
  x = static_cast<float>(x * kAxisScale);
  for (int i = 0; i < zoomSteps; ++i) x = static_cast<float>(x * kZoomFactor);
  return x;
}
