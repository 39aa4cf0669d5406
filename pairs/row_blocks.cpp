#include "row_blocks.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Large enough that handing a block over costs nothing per row; blocks read ahead bound
// the memory to a few of them.
constexpr size_t kBlockBytes = size_t{4} << 20;
constexpr size_t kBlocksAhead = 4;

// A cut line keeps only its whole fields: the last one may have been cut in the middle.
std::string_view wholeFieldsOf(std::string_view line) {
  size_t lastGap = line.find_last_of(" \t");
  return lastGap == std::string_view::npos ? std::string_view() : line.substr(0, lastGap);
}

enum class BlockState { Waiting, Reading, Read };

struct Block {
  std::string text;  // whole lines; the input's last may lack its line end
  uint64_t lines;    // counted as they are read
  std::vector<LineRow> rows;  // their line numbers counted within the block until placed
  BlockState state = BlockState::Waiting;
};

// A line as nextLine hands it out: one that filled the reader's buffer comes cut to it.
void readBlock(Block& block, InputFormat format) {
  const char* p = block.text.data();
  const char* const end = p + block.text.size();
  uint64_t lineNumber = 0;
  block.rows.reserve(block.text.size() / 64);
  while (p < end) {
    const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    size_t size = static_cast<size_t>((newline != nullptr ? newline : end) - p);
    bool cut = size >= kLineBufferBytes;
    std::string_view line(p, cut ? kLineBufferBytes : size);
    if (!cut && size > 0 && p[size - 1] == '\r') line.remove_suffix(1);
    ++lineNumber;
    RowResult row = rowOfLine(format, line, cut);
    if (row.kind != RowKind::Ignore) block.rows.push_back(LineRow{row, line, lineNumber});
    p += size + 1;
  }
  block.lines = lineNumber;
}

// Cuts the next block of whole lines off what the reader hands out; false at the end.
struct BlockCutter {
  LineReader& reader;
  std::string carry;  // the start of a line not yet ended
  bool dropping;      // inside the rest of a line too long for the reader
  bool ended = false;

  bool next(std::string& text) {
    while (!ended && carry.size() < kBlockBytes) {
      if (peekBytes(reader, 1) == 0) {
        ended = true;
        break;
      }
      std::string_view bytes = takeBytes(reader);
      if (dropping) {
        size_t newline = bytes.find('\n');
        if (newline == std::string_view::npos) continue;
        dropping = false;
        // The line kept cut ends here; a line nextLine already handed out cut left nothing.
        if (!carry.empty()) carry += '\n';
        bytes.remove_prefix(newline + 1);
      }
      carry.append(bytes.data(), bytes.size());
      size_t lastLine = carry.rfind('\n');
      size_t open = lastLine == std::string::npos ? 0 : lastLine + 1;
      if (carry.size() - open > kLineBufferBytes) {
        // Only the part nextLine would hand out stays; the rest of the line goes.
        carry.resize(open + kLineBufferBytes);
        dropping = true;
      }
    }
    if (ended && reader.error != 0) return false;  // a line the failure cut is not handed out
    size_t lastLine = carry.rfind('\n');
    size_t whole = ended ? carry.size() : lastLine == std::string::npos ? 0 : lastLine + 1;
    if (whole == 0) return false;  // only at the end: a block's worth always holds a line end
    // The block takes the bytes; only the line begun after it is copied.
    text.swap(carry);
    carry.reserve(kBlockBytes + kLineBufferBytes);
    carry.assign(text, whole, std::string::npos);
    text.resize(whole);
    return true;
  }
};

// The blocks between the two threads. The helper cuts blocks off the input (the reader is
// its own until the input ends) and reads them; the caller places the first block once it
// is read, and reads a waiting block itself rather than wait.
struct BlockQueue {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::unique_ptr<Block>> blocks;
  std::vector<std::unique_ptr<Block>> placed;  // their room used again: fresh pages cost faults
  bool done = false;  // no block will be added
};

Block* firstWaiting(BlockQueue& queue) {
  for (auto& block : queue.blocks)
    if (block->state == BlockState::Waiting) return block.get();
  return nullptr;
}

// Reads block (the lock held on entry and on return).
void readWithoutLock(BlockQueue& queue, std::unique_lock<std::mutex>& lock, Block& block, InputFormat format) {
  block.state = BlockState::Reading;
  lock.unlock();
  readBlock(block, format);
  lock.lock();
  block.state = BlockState::Read;
  queue.changed.notify_all();
}

// Rather than wait for the other thread, reads a waiting block if there is one.
void readOneOrWait(BlockQueue& queue, std::unique_lock<std::mutex>& lock, InputFormat format) {
  Block* waiting = firstWaiting(queue);
  if (waiting != nullptr)
    readWithoutLock(queue, lock, *waiting, format);
  else
    queue.changed.wait(lock);
}

void cutAndRead(BlockQueue& queue, BlockCutter& cutter, InputFormat format) {
  std::unique_lock<std::mutex> lock(queue.mutex);
  while (!queue.done) {
    if (queue.blocks.size() < kBlocksAhead) {
      std::unique_ptr<Block> block;
      if (!queue.placed.empty()) {
        block = std::move(queue.placed.back());
        queue.placed.pop_back();
      } else {
        block = std::make_unique<Block>();
      }
      block->rows.clear();
      block->state = BlockState::Waiting;
      lock.unlock();
      bool more = cutter.next(block->text);
      lock.lock();
      if (more)
        queue.blocks.push_back(std::move(block));
      else
        queue.done = true;
      queue.changed.notify_all();
      continue;
    }
    readOneOrWait(queue, lock, format);
  }
  for (Block* waiting = firstWaiting(queue); waiting != nullptr; waiting = firstWaiting(queue))
    readWithoutLock(queue, lock, *waiting, format);
}

}  // namespace

RowResult rowOfLine(InputFormat format, std::string_view line, bool cut) {
  RowResult row = cut && format != InputFormat::Paf ? skipRow(SkipReason::Malformed, "line longer than 1 MiB")
                                                    : readRow(format, cut ? wholeFieldsOf(line) : line);
  // A cut line is never passed over silently: it had something in it.
  if (row.kind == RowKind::Ignore && cut) row = skipRow(SkipReason::Malformed, "line longer than 1 MiB");
  return row;
}

bool placeRowsInBlocks(LineReader& reader, InputFormat format, const std::function<void(const LineRow&)>& place,
                       LoadProgress* progress) {
  BlockCutter cutter{reader, std::string(), reader.droppingTail};
  reader.droppingTail = false;
  uint64_t lineNumber = reader.lineNumber;
  BlockQueue queue;
  std::thread helper(cutAndRead, std::ref(queue), std::ref(cutter), format);
  std::unique_lock<std::mutex> lock(queue.mutex);
  for (;;) {
    if (queue.blocks.empty()) {
      if (queue.done) break;
      queue.changed.wait(lock);
      continue;
    }
    Block& first = *queue.blocks.front();
    if (first.state == BlockState::Read) {
      lock.unlock();
      for (LineRow& row : first.rows) {
        row.lineNumber += lineNumber;
        place(row);
      }
      lineNumber += first.lines;
      addProgress(progress, first.text.size(), first.lines);
      lock.lock();
      queue.placed.push_back(std::move(queue.blocks.front()));
      queue.blocks.pop_front();
      queue.changed.notify_all();
      continue;
    }
    readOneOrWait(queue, lock, format);
  }
  lock.unlock();
  helper.join();
  reader.lineNumber = lineNumber;
  return reader.error == 0;
}
