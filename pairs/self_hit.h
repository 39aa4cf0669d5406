// A self-comparison (PAF, BLAST, show-coords) gives every region once against itself, and
// may give a repeat twice, once from each copy; the import merges such twins (mirror_index).
#pragma once

#include <cstdint>

#include "pair_row.h"

// pair's positions, orientation and sequences set; the two copies end (0-based, exclusive)
// at posEnd and partnerEnd.
inline HitRole selfHitRole(const PairRow& pair, int64_t posEnd, int64_t partnerEnd) {
  if (pair.seq1 == pair.seq2 && pair.orientation == 0 && pair.pos == pair.partner && posEnd == partnerEnd)
    return HitRole::OnItself;
  return HitRole::Hit;
}
