#include "tile_pairs.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Windows a worker takes at once; results wait in order for the caller, at most this many
// blocks ahead of it a thread, so the pairs in flight stay bounded.
constexpr uint32_t kBlockWindows = 8;
constexpr uint32_t kBlocksAhead = 16;

struct Entry {
  uint64_t hash;
  uint32_t slot;  // index into hashes and strands
};

// The inverted index: every sketch slot sorted by hash, then by slot (so by window); a slot
// finds the later windows holding its hash right after its own place.
struct Index {
  std::vector<Entry> entries;
  std::vector<uint32_t> placeOf;  // slot -> its place in entries
  std::vector<uint32_t> runEnd;   // slot -> one past the last entry of its hash
  std::vector<uint32_t> windowOf; // slot -> window
};

void buildIndex(const WindowSketches& sketches, Index& index) {
  size_t slots = sketches.hashes.size();
  index.entries.resize(slots);
  index.windowOf.resize(slots);
  for (uint32_t w = 0; w < sketches.windows.size(); ++w)
    for (uint32_t s = sketches.windows[w].begin; s < sketches.windows[w].end; ++s) {
      index.entries[s] = {sketches.hashes[s], s};
      index.windowOf[s] = w;
    }
  std::sort(index.entries.begin(), index.entries.end(),
            [](const Entry& a, const Entry& b) { return a.hash != b.hash ? a.hash < b.hash : a.slot < b.slot; });
  index.placeOf.resize(slots);
  index.runEnd.resize(slots);
  for (size_t i = 0; i < slots;) {
    size_t end = i;
    while (end < slots && index.entries[end].hash == index.entries[i].hash) ++end;
    for (size_t x = i; x < end; ++x) {
      index.placeOf[index.entries[x].slot] = static_cast<uint32_t>(x);
      index.runEnd[index.entries[x].slot] = static_cast<uint32_t>(end);
    }
    i = end;
  }
}

struct Counter {
  std::vector<uint32_t> shared;
  std::vector<uint32_t> sameStrand;
  std::vector<uint32_t> touched;
};

bool sameStrand(uint8_t a, uint8_t b) {
  return ((a & kSeenForward) && (b & kSeenForward)) || ((a & kSeenReverse) && (b & kSeenReverse));
}

void compareWindow(const WindowSketches& sketches, const Index& index, uint32_t w, double minIdentity,
                   Counter& counter, std::vector<TilePair>& out) {
  const TileWindow& window = sketches.windows[w];
  for (uint32_t s = window.begin; s < window.end; ++s) {
    uint8_t strands = sketches.strands[s];
    for (uint32_t x = index.placeOf[s] + 1; x < index.runEnd[s]; ++x) {
      uint32_t other = index.entries[x].slot;
      uint32_t v = index.windowOf[other];
      if (counter.shared[v]++ == 0) counter.touched.push_back(v);
      if (sameStrand(strands, sketches.strands[other])) ++counter.sameStrand[v];
    }
  }
  std::sort(counter.touched.begin(), counter.touched.end());
  uint32_t size = window.end - window.begin;
  for (uint32_t v : counter.touched) {
    uint32_t shared = counter.shared[v];
    if (shared >= kMinSharedHashes) {
      const TileWindow& partner = sketches.windows[v];
      double identity = mashIdentity(shared, size, partner.end - partner.begin);
      if (identity >= minIdentity)
        out.push_back({w, v, static_cast<float>(identity),
                       static_cast<uint8_t>(2 * counter.sameStrand[v] < shared ? 1 : 0)});
    }
    counter.shared[v] = 0;
    counter.sameStrand[v] = 0;
  }
  counter.touched.clear();
}

struct Shared {
  const TileJob* job;
  const Index* index;
  uint32_t blocks;
  std::mutex lock;
  std::condition_variable forWorkers, forCaller;
  uint32_t nextBlock = 0;    // under lock
  uint32_t delivered = 0;    // blocks the caller has taken, under lock
  std::vector<std::vector<TilePair>> results;  // by block
  std::vector<bool> done;                      // by block, under lock
  std::atomic<bool> stop{false};
};

void work(Shared& shared) {
  const WindowSketches& sketches = *shared.job->sketches;
  uint32_t windows = static_cast<uint32_t>(sketches.windows.size());
  Counter counter;
  counter.shared.assign(windows, 0);
  counter.sameStrand.assign(windows, 0);
  int threads = std::max(1, shared.job->threads);
  for (;;) {
    uint32_t block;
    {
      std::unique_lock<std::mutex> hold(shared.lock);
      shared.forWorkers.wait(hold, [&] {
        return shared.stop.load() || shared.nextBlock >= shared.blocks ||
               shared.nextBlock < shared.delivered + kBlocksAhead * static_cast<uint32_t>(threads);
      });
      if (shared.stop.load() || shared.nextBlock >= shared.blocks) return;
      block = shared.nextBlock++;
    }
    std::vector<TilePair> pairs;
    uint32_t end = std::min(windows, (block + 1) * kBlockWindows);
    for (uint32_t w = block * kBlockWindows; w < end && !shared.stop.load(); ++w)
      compareWindow(sketches, *shared.index, w, shared.job->minIdentity, counter, pairs);
    std::lock_guard<std::mutex> hold(shared.lock);
    shared.results[block].swap(pairs);
    shared.done[block] = true;
    shared.forCaller.notify_all();
  }
}

}  // namespace

double mashIdentity(uint32_t shared, uint32_t sizeA, uint32_t sizeB) {
  double jaccard = static_cast<double>(shared) / (static_cast<double>(sizeA) + sizeB - shared);
  if (jaccard <= 0) return 0;
  double distance = -std::log(2 * jaccard / (1 + jaccard)) / kTileK;
  return std::max(0.0, 100.0 * (1.0 - distance));
}

bool findTilePairs(const TileJob& job) {
  Index index;
  buildIndex(*job.sketches, index);
  uint32_t windows = static_cast<uint32_t>(job.sketches->windows.size());
  Shared shared;
  shared.job = &job;
  shared.index = &index;
  shared.blocks = (windows + kBlockWindows - 1) / kBlockWindows;
  shared.results.resize(shared.blocks);
  shared.done.assign(shared.blocks, false);
  std::vector<std::thread> workers;
  for (int t = 0; t < std::max(1, job.threads); ++t) workers.emplace_back(work, std::ref(shared));
  bool whole = true;
  int64_t pairs = 0;
  auto lastTick = std::chrono::steady_clock::now();
  for (uint32_t block = 0; block < shared.blocks; ++block) {
    std::vector<TilePair> ready;
    {
      std::unique_lock<std::mutex> hold(shared.lock);
      while (!shared.done[block]) {
        shared.forCaller.wait_for(hold, std::chrono::milliseconds(100));
        if (job.cancel != nullptr && job.cancel->load()) break;
        if (job.tick != nullptr && std::chrono::steady_clock::now() - lastTick >= std::chrono::milliseconds(100)) {
          lastTick = std::chrono::steady_clock::now();
          hold.unlock();
          job.tick(job.context, int64_t{block} * kBlockWindows, windows, pairs);
          hold.lock();
        }
      }
      if (!shared.done[block]) {
        whole = false;
        break;
      }
      ready.swap(shared.results[block]);
      shared.delivered = block + 1;
      shared.forWorkers.notify_all();
    }
    if (job.cancel != nullptr && job.cancel->load()) {
      whole = false;
      break;
    }
    pairs += static_cast<int64_t>(ready.size());
    if (job.take != nullptr && !ready.empty()) job.take(job.context, ready.data(), ready.size());
  }
  {
    std::lock_guard<std::mutex> hold(shared.lock);
    shared.stop = true;
    shared.forWorkers.notify_all();
  }
  for (std::thread& worker : workers) worker.join();
  return whole;
}
