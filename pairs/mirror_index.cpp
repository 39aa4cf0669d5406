#include "mirror_index.h"

#include <algorithm>
#include <deque>
#include <queue>
#include <thread>

namespace {

constexpr int kPositionBits = 39;
constexpr uint64_t kPositionMask = (uint64_t{1} << kPositionBits) - 1;

// One copy of a hit: its sequence and extent.
struct Copy {
  uint32_t sequence;
  int64_t start, end;
};

// A hit unpacked, its copies as the input gave them, and its number in the spool.
struct Hit {
  Copy a, b;
  uint32_t number;
  uint8_t orientation;
};

uint32_t lowSequence(const MirrorEntry& entry) { return static_cast<uint32_t>(entry.words[0] >> 32); }
int64_t lowStart(const MirrorEntry& entry) { return static_cast<int64_t>(entry.words[1] & kPositionMask); }

MirrorEntry pack(const Copy& low, const Copy& high, bool aLow, uint8_t orientation, uint32_t number) {
  uint64_t highEnd = static_cast<uint64_t>(high.end);
  MirrorEntry entry;
  entry.words[0] = uint64_t{low.sequence} << 32 | high.sequence;
  entry.words[1] = static_cast<uint64_t>(low.start) | uint64_t{number & 0x1FFFFFFu} << kPositionBits;
  entry.words[2] = static_cast<uint64_t>(low.end) | (highEnd & 0x1FFFFFFu) << kPositionBits;
  entry.words[3] = static_cast<uint64_t>(high.start) | (highEnd >> 25) << kPositionBits |
                   uint64_t{number >> 25} << 53 | uint64_t{orientation & 1u} << 60 | uint64_t{aLow} << 61;
  return entry;
}

Hit unpack(const MirrorEntry& entry) {
  Copy low{lowSequence(entry), lowStart(entry), static_cast<int64_t>(entry.words[2] & kPositionMask)};
  uint64_t highEnd = entry.words[2] >> kPositionBits | (entry.words[3] >> kPositionBits & 0x3FFFu) << 25;
  Copy high{static_cast<uint32_t>(entry.words[0]), static_cast<int64_t>(entry.words[3] & kPositionMask),
            static_cast<int64_t>(highEnd)};
  uint32_t number = static_cast<uint32_t>(entry.words[1] >> kPositionBits) |
                    static_cast<uint32_t>(entry.words[3] >> 53 & 0x7Fu) << 25;
  bool aLow = (entry.words[3] >> 61 & 1u) != 0;
  uint8_t orientation = static_cast<uint8_t>(entry.words[3] >> 60 & 1u);
  return aLow ? Hit{low, high, number, orientation} : Hit{high, low, number, orientation};
}

int64_t distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

bool sortsBefore(const MirrorEntry& x, const MirrorEntry& y) {
  uint32_t sx = lowSequence(x), sy = lowSequence(y);
  return sx != sy ? sx < sy : lowStart(x) < lowStart(y);
}

// Sorts every chunk, on two threads when there are several.
void sortChunks(std::vector<std::vector<MirrorEntry>>& chunks) {
  auto sortEvery = [&](size_t first) {
    for (size_t c = first; c < chunks.size(); c += 2) std::sort(chunks[c].begin(), chunks[c].end(), sortsBefore);
  };
  if (chunks.size() < 2) {
    sortEvery(0);
    return;
  }
  std::thread other(sortEvery, 1);
  sortEvery(0);
  other.join();
}

// Hands fn every entry of the sorted chunks in order, merging them.
template <typename Fn>
void inOrder(const std::vector<std::vector<MirrorEntry>>& chunks, Fn fn) {
  using Cursor = std::pair<const MirrorEntry*, const MirrorEntry*>;  // next, end
  auto later = [](const Cursor& x, const Cursor& y) { return sortsBefore(*y.first, *x.first); };
  std::priority_queue<Cursor, std::vector<Cursor>, decltype(later)> next(later);
  for (const auto& chunk : chunks)
    if (!chunk.empty()) next.push({chunk.data(), chunk.data() + chunk.size()});
  while (!next.empty()) {
    Cursor cursor = next.top();
    next.pop();
    fn(*cursor.first);
    if (++cursor.first != cursor.second) next.push(cursor);
  }
}

// Entries are held in chunks of this many: grown a chunk at a time, nothing is copied.
constexpr size_t kChunkEntries = size_t{1} << 20;

// Two hits that could be twins, and how far apart their ends lie in all.
struct Twins {
  uint32_t apart;
  uint32_t earlier, later;
  bool operator<(const Twins& other) const {
    if (apart != other.apart) return apart < other.apart;
    if (earlier != other.earlier) return earlier < other.earlier;
    return later < other.later;
  }
};

// Whether kept (the earlier) and hit are twins within the tolerance: kept's first copy
// is hit's second, and the other way round.
void matchTwins(const Hit& kept, const Hit& hit, std::vector<Twins>& found) {
  if (kept.a.sequence != hit.b.sequence || kept.b.sequence != hit.a.sequence || kept.orientation != hit.orientation)
    return;
  int64_t ends[4] = {distance(kept.a.start, hit.b.start), distance(kept.a.end, hit.b.end),
                     distance(kept.b.start, hit.a.start), distance(kept.b.end, hit.a.end)};
  if (*std::max_element(ends, ends + 4) > kMirrorTolerance) return;
  found.push_back(Twins{static_cast<uint32_t>(ends[0] + ends[1] + ends[2] + ends[3]), kept.number, hit.number});
}

}  // namespace

void indexHit(MirrorIndex& index, const SpooledPair& hit, uint64_t number) {
  Copy a{hit.seqA, hit.startA, hit.endA}, b{hit.seqB, hit.startB, hit.endB};
  bool aLow = a.sequence != b.sequence ? a.sequence < b.sequence : a.start <= b.start;
  if (index.chunks.empty() || index.chunks.back().size() == kChunkEntries) {
    index.chunks.emplace_back();
    index.chunks.back().reserve(kChunkEntries);
  }
  index.chunks.back().push_back(aLow ? pack(a, b, true, hit.orientation, static_cast<uint32_t>(number))
                                     : pack(b, a, false, hit.orientation, static_cast<uint32_t>(number)));
}

// Twins lie on the same two sequences, so they share the lower copy's sequence, and the
// lower copies' starts differ by no more than the tolerance (the lower of two starts moves
// no further than either start does). Sorted by those, every pair of twins lies within a
// short run of entries: each is compared with those before it within the run.
uint64_t mergeMirrors(MirrorIndex& index, uint64_t pairs) {
  sortChunks(index.chunks);
  std::vector<Twins> twins;
  std::deque<MirrorEntry> run;
  inOrder(index.chunks, [&](const MirrorEntry& entry) {
    uint32_t sequence = lowSequence(entry);
    int64_t start = lowStart(entry);
    while (!run.empty() &&
           (lowSequence(run.front()) != sequence || start - lowStart(run.front()) > kMirrorTolerance))
      run.pop_front();
    Hit y = unpack(entry);
    for (const MirrorEntry& earlier : run) {
      Hit x = unpack(earlier);
      if (x.number < y.number)
        matchTwins(x, y, twins);
      else
        matchTwins(y, x, twins);
    }
    run.push_back(entry);
  });
  index.chunks = std::vector<std::vector<MirrorEntry>>();
  // Twins that share a hit with no other candidates are merged whatever the order; only
  // the rest (a tandem array's) need the closest first.
  std::vector<uint8_t> candidates(pairs, 0);
  for (const Twins& pair : twins) {
    if (candidates[pair.earlier] < 2) ++candidates[pair.earlier];
    if (candidates[pair.later] < 2) ++candidates[pair.later];
  }
  index.merged.assign(pairs, false);
  uint64_t merged = 0;
  auto alone = [&](const Twins& pair) { return candidates[pair.earlier] == 1 && candidates[pair.later] == 1; };
  for (const Twins& pair : twins) {
    if (!alone(pair)) continue;
    index.merged[pair.later] = true;
    ++merged;
  }
  twins.erase(std::remove_if(twins.begin(), twins.end(), alone), twins.end());
  std::sort(twins.begin(), twins.end());
  std::vector<bool> twinned(pairs, false);
  for (const Twins& pair : twins) {
    if (twinned[pair.earlier] || twinned[pair.later]) continue;
    twinned[pair.earlier] = twinned[pair.later] = true;
    index.merged[pair.later] = true;
    ++merged;
  }
  return merged;
}
