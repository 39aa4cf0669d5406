// Each stored bar's place in the row of bars at its position, counted in slot order as the
// table's loader counts them, without a counter for every position: the slots are sorted by
// position in buckets, a few at a time.
#pragma once

// Sets row[] of every stored pair.
void countStoreRows();
