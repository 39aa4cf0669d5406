#include "tandem_scanner.h"

#include <cstdlib>

#include "record_table.h"
#include "stack_counts.h"

namespace {

// A pair takes slots count and count + 1, so the last pair that fits starts at the slot
// before the last one.
constexpr int32_t kLastPairStart = kTableSlots - 2;

// What the C library's "%s" treats as white space.
bool isTokenSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void storeRecord(TandemRecord& record, int32_t pos, int32_t partner, float len, uint32_t tag) {
  record.x = static_cast<float>(pos);
  record.y = static_cast<float>(bumpStackCount(pos) / 10.0);
  record.len = len;
  record.pos = pos;
  record.partner = partner;
  record.tag = tag;
}

void endToken(TandemScanner& scanner) {
  const FieldWalk& walk = scanner.walk;
  bool stored = addTandemToken(fieldWalkValue(walk, 1), fieldWalkValue(walk, 2),
                               fieldWalkValue(walk, 3), scanner.tag);
  if (!stored) scanner.refusedForRoom = true;
  scanner.inToken = false;
}

}  // namespace

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

void startTandemScan(TandemScanner& scanner, uint32_t tag) {
  scanner = TandemScanner{};
  scanner.tag = tag;
}

void scanTandemBytes(TandemScanner& scanner, const char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (isTokenSpace(c)) {
      if (scanner.inToken) endToken(scanner);
      continue;
    }
    if (!scanner.inToken) {
      startFieldWalk(scanner.walk);
      scanner.inToken = true;
    }
    feedFieldWalk(scanner.walk, static_cast<char>(c));
  }
}

void finishTandemScan(TandemScanner& scanner) {
  if (scanner.inToken) endToken(scanner);
}

void abandonTandemScan(TandemScanner& scanner) { scanner.inToken = false; }
