// The loaded lengths kept as read, so that each picture of a batch scales them from the same
// start (--max-len).
#pragma once

#include <cstdint>

// Call once after loading, before any normalisation.
void keepLoadedRecords();

// The records where the load put them and the moves forgotten, then lengths scaled by maxLen
// (0: the list's longest, exactly as the viewer does; else clipped at the full height).
void normaliseRecordsFor(int64_t maxLen);

