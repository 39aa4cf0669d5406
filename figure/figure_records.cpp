#include "figure_records.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "axis_scale.h"
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
  for (int32_t i = 1; i < recordTable.count; ++i) {
    float& len = recordTable.slots[i].len;
    len = static_cast<float>(std::min(scaledLength(len, static_cast<double>(maxLen)), kFullHeight));
  }
}
