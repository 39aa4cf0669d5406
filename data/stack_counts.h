// How many bars stand at each position, used while loading to give every new bar its row.
// Sparse: a counter exists only for a position that occurs, in an open-addressing hash table
// sized for the record table, so memory follows the records, not the position range, and
// every int32 position is valid.
#pragma once

#include <cstdint>

// Starts fetching the counter's slot into the cache; the loader calls it one token ahead,
// so the table's cache misses overlap with reading the file.
void prefetchStackCount(int32_t position);

// Adds one bar at position and returns the new number of bars there.
int32_t bumpStackCount(int32_t position);

// Bars counted at position so far (0 when none).
int32_t stackCount(int32_t position);

// Forgets the counter of position, keeping every other counter reachable.
void clearStackCount(int32_t position);

// The farthest any counter lies from its home slot: how long the worst lookup probes.
int32_t longestStackCountProbe();
