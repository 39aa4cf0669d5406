#include "mirror_index.h"

#include <algorithm>
#include <deque>
#include <iterator>
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

constexpr int kCompactSequenceBits = 24;
constexpr uint32_t kCompactSequences = uint32_t{1} << kCompactSequenceBits;
constexpr int64_t kCompactSpan = int64_t{1} << 16;

// Compact: word 0 the lower copy's sequence, start and whether it is the first copy, so
// that entries sort by word 0; word 1 the other copy's sequence, start and the strand;
// word 2 the number and both spans.
CompactMirrorEntry packCompact(const Copy& low, const Copy& high, bool aLow, uint8_t orientation, uint32_t number) {
  CompactMirrorEntry entry;
  entry.words[0] = uint64_t{low.sequence} << 40 | static_cast<uint64_t>(low.start) << 1 | uint64_t{aLow};
  entry.words[1] = uint64_t{high.sequence} << 40 | static_cast<uint64_t>(high.start) << 1 | uint64_t{orientation & 1u};
  entry.words[2] = uint64_t{number} << 32 | static_cast<uint64_t>(low.end - low.start) << 16 |
                   static_cast<uint64_t>(high.end - high.start);
  return entry;
}

uint32_t lowSequence(const CompactMirrorEntry& entry) { return static_cast<uint32_t>(entry.words[0] >> 40); }
int64_t lowStart(const CompactMirrorEntry& entry) {
  return static_cast<int64_t>(entry.words[0] >> 1 & kPositionMask);
}

Hit unpack(const CompactMirrorEntry& entry) {
  int64_t lowSpan = static_cast<int64_t>(entry.words[2] >> 16 & 0xFFFFu);
  int64_t highSpan = static_cast<int64_t>(entry.words[2] & 0xFFFFu);
  int64_t highStart = static_cast<int64_t>(entry.words[1] >> 1 & kPositionMask);
  Copy low{lowSequence(entry), lowStart(entry), lowStart(entry) + lowSpan};
  Copy high{static_cast<uint32_t>(entry.words[1] >> 40), highStart, highStart + highSpan};
  uint32_t number = static_cast<uint32_t>(entry.words[2] >> 32);
  uint8_t orientation = static_cast<uint8_t>(entry.words[1] & 1u);
  return (entry.words[0] & 1u) != 0 ? Hit{low, high, number, orientation} : Hit{high, low, number, orientation};
}

int64_t distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

bool sortsBefore(const MirrorEntry& x, const MirrorEntry& y) {
  uint32_t sx = lowSequence(x), sy = lowSequence(y);
  return sx != sy ? sx < sy : lowStart(x) < lowStart(y);
}

// Sorts a chunk by word 0 a byte at a time, least significant first, passing over the
// bytes no entry differs in: a few sweeps over the chunk rather than a comparison sort's
// many. Entries with the same word 0 may come in any order: the sweep's result does not
// depend on it.
void radixSort(std::vector<CompactMirrorEntry>& chunk) {
  if (chunk.size() < 2) return;
  uint64_t varying = 0;
  for (const CompactMirrorEntry& entry : chunk) varying |= entry.words[0] ^ chunk[0].words[0];
  std::vector<CompactMirrorEntry> other(chunk.size());
  CompactMirrorEntry* from = chunk.data();
  CompactMirrorEntry* to = other.data();
  const size_t size = chunk.size();
  for (int shift = 0; shift < 64; shift += 8) {
    if ((varying >> shift & 0xFFu) == 0) continue;
    size_t next[257] = {};
    for (size_t i = 0; i < size; ++i) ++next[(from[i].words[0] >> shift & 0xFFu) + 1];
    for (size_t digit = 1; digit < 257; ++digit) next[digit] += next[digit - 1];
    for (size_t i = 0; i < size; ++i) to[next[from[i].words[0] >> shift & 0xFFu]++] = from[i];
    std::swap(from, to);
  }
  if (from != chunk.data()) chunk.swap(other);
}

// Sorts every chunk and the outsized entries, on two threads when there are several.
void sortChunks(MirrorIndex& index) {
  auto sortEvery = [&](size_t first) {
    for (size_t c = first; c < index.chunks.size(); c += 2) radixSort(index.chunks[c]);
  };
  std::sort(index.outsized.begin(), index.outsized.end(), sortsBefore);
  if (index.chunks.size() < 2) {
    sortEvery(0);
    return;
  }
  std::thread other(sortEvery, 1);
  sortEvery(0);
  other.join();
}

// Where the merge stands in one sorted chunk (or, chunk -1, in the outsized entries).
struct Cursor {
  uint32_t sequence;
  int64_t start;
  size_t chunk;
  size_t at;
};

// Hands fn every hit of the sorted chunks and outsized entries, with its lower copy's
// sequence and start, in their order, merging them.
template <typename Fn>
void inOrder(const MirrorIndex& index, Fn fn) {
  const size_t outsized = SIZE_MAX;
  auto keyed = [&](size_t chunk, size_t at) {
    if (chunk == outsized) return Cursor{lowSequence(index.outsized[at]), lowStart(index.outsized[at]), chunk, at};
    const CompactMirrorEntry& entry = index.chunks[chunk][at];
    return Cursor{lowSequence(entry), lowStart(entry), chunk, at};
  };
  auto later = [](const Cursor& x, const Cursor& y) {
    return x.sequence != y.sequence ? x.sequence > y.sequence : x.start > y.start;
  };
  std::priority_queue<Cursor, std::vector<Cursor>, decltype(later)> next(later);
  for (size_t c = 0; c < index.chunks.size(); ++c)
    if (!index.chunks[c].empty()) next.push(keyed(c, 0));
  if (!index.outsized.empty()) next.push(keyed(outsized, 0));
  while (!next.empty()) {
    Cursor cursor = next.top();
    next.pop();
    bool inOutsized = cursor.chunk == outsized;
    fn(cursor.sequence, cursor.start,
       inOutsized ? unpack(index.outsized[cursor.at]) : unpack(index.chunks[cursor.chunk][cursor.at]));
    size_t size = inOutsized ? index.outsized.size() : index.chunks[cursor.chunk].size();
    if (cursor.at + 1 < size) next.push(keyed(cursor.chunk, cursor.at + 1));
  }
}

// Entries are held in chunks of this many: grown a chunk at a time, nothing is copied.
constexpr size_t kChunkEntries = size_t{1} << 20;

// Two hits that could be twins, and how far apart their ends lie in all (at most four
// tolerances). Packed: a hit's twins are held beside the whole index at the load's peak.
#pragma pack(push, 1)
struct Twins {
  uint32_t earlier, later;
  uint8_t apart;
  bool operator<(const Twins& other) const {
    if (apart != other.apart) return apart < other.apart;
    if (earlier != other.earlier) return earlier < other.earlier;
    return later < other.later;
  }
};
#pragma pack(pop)
static_assert(sizeof(Twins) == 9, "twins in 9 bytes");
static_assert(4 * kMirrorTolerance <= UINT8_MAX, "how far apart twins lie fits a byte");

// Twins found, in chunks of their own: growing them copies nothing, and each chunk goes
// back to the system when freed (small blocks would stay in the heap under the store).
using TwinChunks = std::vector<std::vector<Twins>>;

void addTwins(TwinChunks& found, const Twins& pair) {
  if (found.empty() || found.back().size() == kChunkEntries) {
    found.emplace_back();
    found.back().reserve(kChunkEntries);
  }
  found.back().push_back(pair);
}

// Whether kept (the earlier) and hit are twins within the tolerance: kept's first copy
// is hit's second, and the other way round.
void matchTwins(const Hit& kept, const Hit& hit, TwinChunks& found) {
  if (kept.a.sequence != hit.b.sequence || kept.b.sequence != hit.a.sequence || kept.orientation != hit.orientation)
    return;
  int64_t ends[4] = {distance(kept.a.start, hit.b.start), distance(kept.a.end, hit.b.end),
                     distance(kept.b.start, hit.a.start), distance(kept.b.end, hit.a.end)};
  if (*std::max_element(ends, ends + 4) > kMirrorTolerance) return;
  addTwins(found, Twins{kept.number, hit.number, static_cast<uint8_t>(ends[0] + ends[1] + ends[2] + ends[3])});
}

}  // namespace

void indexHit(MirrorIndex& index, const SpooledPair& hit, uint64_t number) {
  Copy a{hit.seqA, hit.startA, hit.endA}, b{hit.seqB, hit.startB, hit.endB};
  bool aLow = a.sequence != b.sequence ? a.sequence < b.sequence : a.start <= b.start;
  const Copy& low = aLow ? a : b;
  const Copy& high = aLow ? b : a;
  uint32_t numbered = static_cast<uint32_t>(number);
  if (low.sequence >= kCompactSequences || high.sequence >= kCompactSequences || low.end - low.start >= kCompactSpan ||
      high.end - high.start >= kCompactSpan) {
    index.outsized.push_back(pack(low, high, aLow, hit.orientation, numbered));
    return;
  }
  if (index.chunks.empty() || index.chunks.back().size() == kChunkEntries) {
    index.chunks.emplace_back();
    index.chunks.back().reserve(kChunkEntries);
  }
  index.chunks.back().push_back(packCompact(low, high, aLow, hit.orientation, numbered));
}

// Twins lie on the same two sequences, so they share the lower copy's sequence, and the
// lower copies' starts differ by no more than the tolerance (the lower of two starts moves
// no further than either start does). Sorted by those, every pair of twins lies within a
// short run of entries: each is compared with those before it within the run.
uint64_t mergeMirrors(MirrorIndex& index, uint64_t pairs) {
  sortChunks(index);
  TwinChunks twins;
  struct Held {
    uint32_t sequence;
    int64_t start;
    Hit hit;
  };
  std::deque<Held> run;
  inOrder(index, [&](uint32_t sequence, int64_t start, const Hit& y) {
    while (!run.empty() && (run.front().sequence != sequence || start - run.front().start > kMirrorTolerance))
      run.pop_front();
    for (const Held& earlier : run) {
      const Hit& x = earlier.hit;
      if (x.number < y.number)
        matchTwins(x, y, twins);
      else
        matchTwins(y, x, twins);
    }
    run.push_back(Held{sequence, start, y});
  });
  index.chunks = std::vector<std::vector<CompactMirrorEntry>>();
  index.outsized = std::vector<MirrorEntry>();
  // Twins that share a hit with no other candidates are merged whatever the order; only
  // the rest (a tandem array's) need the closest first.
  std::vector<uint8_t> candidates(pairs, 0);
  for (const std::vector<Twins>& chunk : twins)
    for (const Twins& pair : chunk) {
      if (candidates[pair.earlier] < 2) ++candidates[pair.earlier];
      if (candidates[pair.later] < 2) ++candidates[pair.later];
    }
  index.merged.assign(pairs, false);
  uint64_t merged = 0;
  auto alone = [&](const Twins& pair) { return candidates[pair.earlier] == 1 && candidates[pair.later] == 1; };
  size_t contestedCount = 0;
  for (const std::vector<Twins>& chunk : twins)
    for (const Twins& pair : chunk) {
      if (!alone(pair)) {
        ++contestedCount;
        continue;
      }
      index.merged[pair.later] = true;
      ++merged;
    }
  std::vector<Twins> contested;
  contested.reserve(contestedCount);
  for (std::vector<Twins>& chunk : twins) {
    std::copy_if(chunk.begin(), chunk.end(), std::back_inserter(contested), [&](const Twins& pair) { return !alone(pair); });
    chunk = std::vector<Twins>();
  }
  twins = TwinChunks();
  std::sort(contested.begin(), contested.end());
  std::vector<bool> twinned(pairs, false);
  for (const Twins& pair : contested) {
    if (twinned[pair.earlier] || twinned[pair.later]) continue;
    twinned[pair.earlier] = twinned[pair.later] = true;
    index.merged[pair.later] = true;
    ++merged;
  }
  return merged;
}
