#include "mirror_index.h"

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;
// Starts are bucketed this coarsely, so a twin within the tolerance lies in the same
// bucket or a neighbour.
constexpr int64_t kBucketBases = 4 * kMirrorTolerance;

uint64_t bucketOf(uint32_t seqA, uint32_t seqB, int orientation, int64_t startA) {
  uint64_t key = static_cast<uint64_t>(startA / kBucketBases);
  key = key * 0x9E3779B97F4A7C15ull ^ seqA;
  key = key * 0x9E3779B97F4A7C15ull ^ seqB;
  return key * 2 + static_cast<uint64_t>(orientation & 1);
}

bool near(int64_t a, int64_t b) { return a - b <= kMirrorTolerance && b - a <= kMirrorTolerance; }

}  // namespace

bool mergeMirror(MirrorIndex& index, const HitEnds& hit) {
  // A twin was kept with copy A where this hit has copy B.
  int64_t bucket = hit.startB / kBucketBases;
  for (int64_t b = bucket - 1; b <= bucket + 1; ++b) {
    if (b < 0) continue;
    auto found = index.buckets.find(bucketOf(hit.seqB, hit.seqA, hit.orientation, b * kBucketBases));
    if (found == index.buckets.end()) continue;
    for (uint32_t i = found->second; i != kNone; i = index.held[i].next) {
      MirrorIndex::Held& kept = index.held[i];
      if (kept.merged || kept.seqA != hit.seqB || kept.seqB != hit.seqA || kept.orientation != hit.orientation) continue;
      if (near(kept.startA, hit.startB) && near(kept.endA, hit.endB) && near(kept.startB, hit.startA) &&
          near(kept.endB, hit.endA)) {
        kept.merged = true;
        return true;
      }
    }
  }
  uint64_t own = bucketOf(hit.seqA, hit.seqB, hit.orientation, hit.startA);
  auto [slot, fresh] = index.buckets.try_emplace(own, kNone);
  index.held.push_back(MirrorIndex::Held{hit.startA, hit.endA, hit.startB, hit.endB, hit.seqA, hit.seqB,
                                         static_cast<uint8_t>(hit.orientation), false, slot->second});
  (void)fresh;
  slot->second = static_cast<uint32_t>(index.held.size() - 1);
  return false;
}
