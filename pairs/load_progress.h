// How far a load has come through its input, for a progress line on a terminal or the
// viewer's work screen: the reading thread adds, any thread looks.
#pragma once

#include <atomic>
#include <cstdint>

struct LoadProgress {
  std::atomic<uint64_t> bytes{0};  // of the input's text read so far
  std::atomic<uint64_t> lines{0};  // 0 for an input read as a whole (a tandem list)
  uint64_t size = 0;  // the input's bytes where they are its text (a regular file, not gzip); else 0
};

inline void addProgress(LoadProgress* progress, uint64_t bytes, uint64_t lines) {
  if (progress == nullptr) return;
  progress->bytes.fetch_add(bytes, std::memory_order_relaxed);
  progress->lines.fetch_add(lines, std::memory_order_relaxed);
}
