// The loaded lengths kept as read, so that each picture of a batch scales them from the same
// start (--max-len), and the x of a position for the annotations.
#pragma once

#include <cstdint>

// Call once after loading, before any normalisation.
void keepLoadedRecords();

// The records where the load put them and the moves forgotten, then lengths into (0, 7] by
// maxLen (0: the list's longest, exactly as the viewer does; else clipped at 7).
void normaliseRecordsFor(int64_t maxLen);

// The x of a bar standing at pos after zoomSteps, rounded as the records' own x.
float axisXOf(int64_t pos, int zoomSteps);
