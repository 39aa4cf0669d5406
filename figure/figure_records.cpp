#include "figure_records.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "axis_scale.h"
#include "record_places.h"
#include "bar_records.h"
#include "tandem_loader.h"

namespace {

std::vector<float> loadedLen;

}  // namespace

void keepLoadedRecords() {
  if (pairStoreActive()) return;  // the store keeps its lengths as read
  loadedLen.resize(static_cast<std::size_t>(recordTable.count));
  for (int32_t i = 1; i < recordTable.count; ++i) loadedLen[i] = recordTable.slots[i].len;
}

void normaliseRecordsFor(int64_t maxLen) {
  if (pairStoreActive()) {
    restoreLoadedPlaces();
    scaleBarLengths(maxLen);
    return;
  }
  for (int32_t i = 1; i < recordTable.count; ++i) recordTable.slots[i].len = loadedLen[i];
  restoreLoadedPlaces();
  if (maxLen <= 0) {
    normalizeLengths();
    return;
  }
  for (int32_t i = 1; i < recordTable.count; ++i) {
    float& len = recordTable.slots[i].len;
    len = static_cast<float>(std::min(scaledLength(len, static_cast<double>(maxLen)), kFullHeight));
  }
}
