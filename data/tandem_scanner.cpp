#include "tandem_scanner.h"

#include <cstdlib>

#include "record_table.h"
#include "stack_counts.h"

namespace {

// A pair takes slots count and count + 1, so the last pair that fits starts at the slot
// before the last one.
constexpr int32_t kLastPairStart = kTableSlots - 2;

void storeRecord(TandemRecord& record, int32_t pos, int32_t partner, float len, uint32_t tag) {
  record.x = static_cast<float>(pos);
  record.y = static_cast<float>(bumpStackCount(pos) / 10.0);
  record.len = len;
  record.pos = pos;
  record.partner = partner;
  record.tag = tag;
}

// Handles one whole token given as (pos, partner, len): draws its three random numbers,
// stores the pair if its length is above 10 and the table has room, and updates maxLen.
// Returns false when the pair was refused for lack of room.
bool addTandemToken(int32_t pos, int32_t partner, int32_t len, uint32_t tag) {
  int c1 = std::rand();
  int c2 = std::rand();
  int c3 = std::rand();
  bool fits = true;
  if (len > 10) {
    if (recordTable.count <= kLastPairStart) {
      TandemRecord& a = recordTable.slots[recordTable.count];
      TandemRecord& b = recordTable.slots[recordTable.count + 1];
      // Record A's counter is bumped first, so a pair at one position stacks A below B.
      storeRecord(a, pos, partner, static_cast<float>(len), tag);
      storeRecord(b, partner, pos, static_cast<float>(len), tag);
      a.r = b.r = static_cast<float>(c1 % 255) / 255.0f;
      a.g = b.g = static_cast<float>(c2 % 255) / 255.0f;
      a.b = b.b = static_cast<float>(c3 % 255) / 255.0f;
      recordTable.count += 2;
    } else {
      fits = false;  // record B would fall past the table
    }
  }
  if (len > recordTable.maxLen) recordTable.maxLen = len;
  return fits;
}

void addPending(TandemScanner& scanner) {
  PendingToken& pending = scanner.pending;
  if (!pending.waiting) return;
  if (!addTandemToken(pending.pos, pending.partner, pending.len, scanner.tag)) scanner.refusedForRoom = true;
  pending.waiting = false;
}

void endToken(TandemScanner& scanner, int32_t pos, int32_t partner, int32_t len) {
  if (len > 10 && recordTable.count <= kLastPairStart) {
    prefetchStackCount(pos);
    prefetchStackCount(partner);
  }
  addPending(scanner);
  scanner.pending = PendingToken{pos, partner, len, true};
}

void endWalkedToken(TandemScanner& scanner, const FieldWalk& walk) {
  endToken(scanner, fieldWalkValue(walk, 1), fieldWalkValue(walk, 2), fieldWalkValue(walk, 3));
}

// Reads a token of the usual shape — runs of up to nine digits joined by single separators,
// ended by white space inside this chunk — and returns its length, or 0 for any other token,
// which the general walk then reads. Every token it accepts reads the same either way.
size_t readPlainToken(const char* bytes, size_t size, int32_t fields[3]) {
  size_t i = 0;
  int count = 0;
  int32_t value = 0;
  for (;;) {
    size_t start = i;
    value = 0;
    while (i < size && i - start < 9 && bytes[i] >= '0' && bytes[i] <= '9') value = value * 10 + (bytes[i++] - '0');
    if (i == start || i == size) return 0;  // an empty field, or the token may go on in the next chunk
    if (count < 3) fields[count] = value;
    ++count;
    char c = bytes[i];
    if (c == '/' || c == ';') {
      ++i;
      continue;
    }
    if (isCSpace(static_cast<unsigned char>(c))) break;
    return 0;
  }
  for (int k = count; k < 3; ++k) fields[k] = value;
  return i;
}

}  // namespace

void startTandemScan(TandemScanner& scanner, uint32_t tag) {
  scanner = TandemScanner{};
  scanner.tag = tag;
}

void scanTandemBytes(TandemScanner& scanner, const char* bytes, size_t size) {
  // The walk and the token flag live in locals for the chunk, so they stay in registers.
  FieldWalk walk = scanner.walk;
  bool inToken = scanner.inToken;
  size_t i = 0;
  while (i < size) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (isCSpace(c)) {
      if (inToken) endWalkedToken(scanner, walk);
      inToken = false;
      ++i;
      continue;
    }
    if (!inToken) {
      int32_t fields[3];
      size_t length = readPlainToken(bytes + i, size - i, fields);
      if (length > 0) {
        endToken(scanner, fields[0], fields[1], fields[2]);
        i += length;
        continue;
      }
      startFieldWalk(walk);
      inToken = true;
    }
    feedFieldWalk(walk, static_cast<char>(c));
    ++i;
  }
  scanner.walk = walk;
  scanner.inToken = inToken;
}

void finishTandemScan(TandemScanner& scanner) {
  if (scanner.inToken) endWalkedToken(scanner, scanner.walk);
  scanner.inToken = false;
  addPending(scanner);
}

void abandonTandemScan(TandemScanner& scanner) {
  scanner.inToken = false;
  addPending(scanner);
}
