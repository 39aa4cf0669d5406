#include "figure_records.h"

#include "bar_records.h"
#include "record_places.h"

void keepLoadedRecords() { keepLoadedLengths(); }

void normaliseRecordsFor(int64_t maxLen) {
  restoreLoadedPlaces();
  scaleBarLengths(maxLen);
}
