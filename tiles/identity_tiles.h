// A genome FASTA compared with itself without aligning: cut into windows of W bases, every
// pair of windows whose sketches tell an identity (window_sketch.h, tile_pairs.h) becomes a
// pair of the two windows with that identity and strand. Where aligning a satellite array
// would take hours, this takes seconds: the bases are read once and only sketches kept.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "self_align.h"
#include "window_sketch.h"

struct TileOptions {
  int64_t window = 0;       // W, bases
  std::string only;         // tile this sequence alone; empty: every one
  double minIdentity = 0;   // percent
  int threads = 0;          // 0: all the cores this process may use
  FILE* progress = nullptr; // as SelfAlignOptions
  std::string readFrom;
  const std::atomic<bool>* cancel = nullptr;
  bool (*sequencesRead)(void* context, const std::vector<FastaSequence>& sequences) = nullptr;
  void (*status)(void* context, double fraction, const std::string& text) = nullptr;
};

// One tile: the two windows (first before second in the FASTA), identity in percent.
using TileSink = void (*)(void* context, const TileWindow& first, const TileWindow& second, double identity,
                          int orientation);

// As selfAlignFasta, with tiles for alignments. False with a one-line error when the file
// cannot be read or is not FASTA, or on cancel ("cancelled").
bool tileFasta(const char* path, const TileOptions& options, TileSink tile, void* context,
               std::vector<FastaSequence>& sequences, std::string& error);

// What the progress line says when the tiles start: the route, the sketch and a guess of
// the time from the windows (measured constants; see bench/tiles).
std::string tileRouteText(const std::string& path, int64_t bases, int64_t window, int threads);
