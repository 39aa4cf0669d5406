// Every pair of windows whose sketches share enough k-mers, with its estimated identity and
// strand. The sketches go into an inverted index (hash -> the windows holding it), and each
// window counts its shared hashes with the windows after it by walking the lists of its own
// hashes: the work is the number of (window, window, shared hash) triples, about n * s * m
// for n windows of s hashes each met in m windows, so unrelated windows cost nothing and a
// satellite array, where every window meets every other, costs n^2 s / 2.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "window_sketch.h"

struct TilePair {
  uint32_t first, second;  // window indices, first < second
  float identity;          // percent
  uint8_t orientation;     // 0 same strand, 1 reverse complement
};

// Fewer shared hashes than this say nothing: a couple of k-mers are met by chance.
constexpr uint32_t kMinSharedHashes = 3;

// Mash's identity, 100 * (1 - D), D = -1/k ln(2J / (1 + J)), from the sketches' Jaccard
// index J = shared / (a + b - shared).
double mashIdentity(uint32_t shared, uint32_t sizeA, uint32_t sizeB);

struct TileJob {
  const WindowSketches* sketches;
  int threads = 1;
  double minIdentity = 0;  // percent; pairs below are not made
  const std::atomic<bool>* cancel = nullptr;
  // On the calling thread, in window order, some pairs at a time.
  void (*take)(void* context, const TilePair* pairs, size_t count) = nullptr;
  // About ten times a second, on the calling thread: windows done of all.
  void (*tick)(void* context, int64_t windowsDone, int64_t windows, int64_t pairs) = nullptr;
  void* context = nullptr;
};

// Runs the comparison on threads of its own and hands the pairs out in order. False when
// cancelled.
bool findTilePairs(const TileJob& job);
