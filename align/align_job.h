// The alignment itself, on threads of its own: minimap2 indexes the genome part by part
// (as its -I splits it), maps every sequence against each part, and the PAF text comes out
// in the binary's order. The job owns all it uses, so a caller that stops waiting can
// leave it to finish the sequences in flight and free itself.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <minimap.h>

#include "self_align.h"

struct AlignJob {
  // Set before the start, read only after it.
  std::string path;      // as messages name it
  std::string readPath;  // what minimap2 opens: path, or a copy of a pipe's bytes
  mm_idxopt_t indexOptions{};
  mm_mapopt_t mapOptions{};
  int threads = 1;
  std::vector<FastaSequence> expected;  // what the first pass read, to hold minimap2's reader to
  std::atomic<bool> stop{false};        // the caller gave up: map nothing more

  std::mutex lock;
  std::condition_variable forCaller;   // text, counts or the end came
  std::condition_variable forWorkers;  // the caller took the text
  // Under lock.
  std::string ready;  // whole PAF lines, each with its '\n', in order, not yet taken
  bool indexing = true;
  int part = 0;                 // index parts built so far
  int64_t partSequencesDone = 0, partBasesDone = 0;
  // The bases done so far of the query each worker maps now (align_watch.h); set by the
  // worker alone, cleared under lock as its query joins partBasesDone.
  std::unique_ptr<std::atomic<int64_t>[]> basesInFlight;
  int64_t alignments = 0;
  bool finished = false;
  std::string error;            // set when it failed
};

// Starts the job on a detached thread.
void startAlignJob(const std::shared_ptr<AlignJob>& job);
