#include "mirror_index.h"

#include <algorithm>

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;
// Starts are bucketed this coarsely, so a twin within the tolerance lies in the same
// bucket or a neighbour.
constexpr int64_t kBucketBases = 4 * kMirrorTolerance;

uint64_t bucketOf(uint32_t seqA, uint32_t seqB, int orientation, int64_t bucket) {
  uint64_t key = static_cast<uint64_t>(bucket);
  key = key * 0x9E3779B97F4A7C15ull ^ seqA;
  key = key * 0x9E3779B97F4A7C15ull ^ seqB;
  return key * 2 + static_cast<uint64_t>(orientation & 1);
}

int64_t distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

// Two hits that could be twins, and how far apart their ends lie in all.
struct Twins {
  int64_t apart;
  uint32_t earlier, later;
  bool operator<(const Twins& other) const {
    if (apart != other.apart) return apart < other.apart;
    if (earlier != other.earlier) return earlier < other.earlier;
    return later < other.later;
  }
};

// Every earlier hit that is a twin of held[later] within the tolerance.
void findTwins(const MirrorIndex& index, uint32_t later, std::vector<Twins>& found) {
  const HeldPair& hit = index.held[later];
  int64_t bucket = hit.startB / kBucketBases;
  for (int64_t b = bucket - 1; b <= bucket + 1; ++b) {
    if (b < 0) continue;
    auto first = index.buckets.find(bucketOf(hit.seqB, hit.seqA, hit.orientation, b));
    if (first == index.buckets.end()) continue;
    for (uint32_t i = first->second; i != kNone; i = index.held[i].next) {
      const HeldPair& kept = index.held[i];
      if (i >= later || kept.seqA != hit.seqB || kept.seqB != hit.seqA || kept.orientation != hit.orientation)
        continue;
      int64_t ends[4] = {distance(kept.startA, hit.startB), distance(kept.endA, hit.endB),
                         distance(kept.startB, hit.startA), distance(kept.endB, hit.endA)};
      if (*std::max_element(ends, ends + 4) > kMirrorTolerance) continue;
      found.push_back(Twins{ends[0] + ends[1] + ends[2] + ends[3], i, later});
    }
  }
}

}  // namespace

void holdPair(MirrorIndex& index, const HeldPair& pair) {
  index.held.push_back(pair);
  HeldPair& held = index.held.back();
  held.next = kNone;
  held.merged = false;
  if (!held.hit) return;
  uint64_t own = bucketOf(held.seqA, held.seqB, held.orientation, held.startA / kBucketBases);
  auto [slot, fresh] = index.buckets.try_emplace(own, kNone);
  (void)fresh;
  held.next = slot->second;
  slot->second = static_cast<uint32_t>(index.held.size() - 1);
}

uint64_t mergeMirrors(MirrorIndex& index) {
  std::vector<Twins> twins;
  for (uint32_t i = 0; i < index.held.size(); ++i)
    if (index.held[i].hit) findTwins(index, i, twins);
  std::sort(twins.begin(), twins.end());
  std::vector<bool> twinned(index.held.size(), false);
  uint64_t merged = 0;
  for (const Twins& pair : twins) {
    if (twinned[pair.earlier] || twinned[pair.later]) continue;
    twinned[pair.earlier] = twinned[pair.later] = true;
    index.held[pair.later].merged = true;
    ++merged;
  }
  return merged;
}
