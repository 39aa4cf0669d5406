#include "bar_records.h"

#include <algorithm>
#include <vector>

#include "tandem_loader.h"

namespace {

std::vector<float> loadedTableLengths;  // the table's raw lengths, for scaleBarLengths

}  // namespace

bool anyPairIdentity() { return pairStoreActive() ? pairStore.withIdentity > 0 : pairTraits.withIdentity > 0; }

void scaleBarsX(double factor) {
  if (!pairStoreActive()) {
    scaleRecordsX(factor);
    return;
  }
  pairStore.xScale *= factor;
  pairStore.farX *= factor;
  ++recordTable.revision;
}

void slideFarBars(char what, int sign, int64_t count) {
  double step = sign * kFarSlideStep;
  if (pairStoreActive()) {
    (what == 'x' ? pairStore.farX : pairStore.farY) += step * static_cast<double>(count);
    ++recordTable.revision;
    return;
  }
  // Each step's sum in double, stored float32 on its own, as a step a frame does.
  for (int32_t i = 1; i < recordTable.count; ++i) {
    TandemRecord& record = recordTable.slots[i];
    if (record.pos <= kFarPartStart) continue;
    float& value = what == 'x' ? record.x : record.y;
    for (int64_t k = 0; k < count; ++k) value = static_cast<float>(value + step);
  }
  ++recordTable.revision;
}

void placeBarsAsLoaded() {
  if (pairStoreActive())
    placeStoreAsLoaded();
  else
    placeRecordsAsLoaded();
}

void normalizeBars() {
  if (!pairStoreActive()) {
    normalizeRecords();
    return;
  }
  scaleBarLengths(0);
  placeStoreAsLoaded();
}

void keepLoadedLengths() {
  if (pairStoreActive()) return;
  loadedTableLengths.resize(static_cast<size_t>(recordTable.count));
  for (int32_t i = 1; i < recordTable.count; ++i) loadedTableLengths[static_cast<size_t>(i)] = recordTable.slots[i].len;
}

void scaleBarLengths(int64_t full) {
  if (!pairStoreActive()) {
    if (loadedTableLengths.size() == static_cast<size_t>(recordTable.count))
      for (int32_t i = 1; i < recordTable.count; ++i) recordTable.slots[i].len = loadedTableLengths[static_cast<size_t>(i)];
    if (full <= 0) {
      normalizeLengths();
      return;
    }
    for (int32_t i = 1; i < recordTable.count; ++i) {
      float& len = recordTable.slots[i].len;
      len = static_cast<float>(std::min(scaledLength(len, static_cast<double>(full)), kFullHeight));
    }
    ++recordTable.revision;
    return;
  }
  pairStore.lengthFull = full > 0 ? static_cast<double>(full) : pairStore.maxLen;
  pairStore.lengthCapped = full > 0;
  ++recordTable.revision;
}
