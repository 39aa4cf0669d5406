#include "tandem_scanner.h"

#include <cstdlib>

#include "bar_records.h"
#include "record_table.h"
#include "stack_counts.h"

namespace {

// A pair takes slots count and count + 1, so the last pair that fits starts at the slot
// before the last one.
constexpr int32_t kLastPairStart = kTableSlots - 2;

void storeRecord(TandemRecord& record, int32_t pos, int32_t partner, float len, uint32_t tag) {
  standRecordAt(record, pos);
  record.len = len;
  record.pos = pos;
  record.partner = partner;
  record.tag = tag;
}

// Handles one whole token given as (pos, partner, len): draws its three random numbers,
// stores the pair if its length is above 10 and the table has room, and updates maxLen.
// A stored pair's orientation, identity and copy difference go into pairTraits. Returns
// false when the pair was refused for lack of room.
bool addTandemToken(int32_t pos, int32_t partner, int32_t len, uint32_t tag, uint8_t orientation,
                    uint16_t identity, int32_t difference) {
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
      int32_t pair = pairOfSlot(recordTable.count);
      pairTraits.orientation[pair] = orientation;
      pairTraits.identity[pair] = identity;
      pairTraits.difference[pair] = copyDifference(len, difference);
      if (identity != kIdentityUnknown) ++pairTraits.withIdentity;
      recordTable.count += 2;
    } else {
      fits = false;  // record B would fall past the table
    }
  }
  if (len > recordTable.maxLen) recordTable.maxLen = len;
  return fits;
}

// A named file's token: into the store, no colours drawn (the store derives them).
void addStoreToken(const TandemScanner& scanner, const PendingToken& token) {
  if (!pairStoreActive()) startPairStore(scanner.maxPairs);
  if (token.len > 10)
    addStorePair(token.pos, token.partner, token.len, token.orientation, token.identity,
                 copyDifference(token.len, token.difference));
  if (token.len > pairStore.maxLen) pairStore.maxLen = token.len;
}

void addPending(TandemScanner& scanner) {
  PendingToken& pending = scanner.pending;
  if (!pending.waiting) return;
  if (scanner.keepLongest)
    addStoreToken(scanner, pending);
  else if (!addTandemToken(static_cast<int32_t>(pending.pos), static_cast<int32_t>(pending.partner), pending.len,
                           scanner.tag, pending.orientation, pending.identity, pending.difference))
    scanner.refusedForRoom = true;
  pending.waiting = false;
}

void endToken(TandemScanner& scanner, int64_t pos, int64_t partner, int32_t len, uint8_t orientation,
              uint16_t identity, int32_t difference) {
  if (!scanner.keepLongest && len > 10 && recordTable.count <= kLastPairStart) {
    prefetchStackCount(static_cast<int32_t>(pos));
    prefetchStackCount(static_cast<int32_t>(partner));
  }
  addPending(scanner);
  scanner.pending = PendingToken{pos, partner, len, true, orientation, identity, difference};
}

// The field walk repeats the last field for a field past it, so the fourth to sixth fields
// count only when the token has them.
void endWalkedToken(TandemScanner& scanner, const FieldWalk& walk, const IdentityText& identity) {
  if (scanner.skipShortTokens && walk.fieldNumber < 3) {
    ++scanner.shortTokens;
    return;
  }
  uint8_t orientation = walk.fieldNumber >= 4 ? orientationOfField(fieldWalkValue(walk, 4)) : kOrientationUnknown;
  bool wide = scanner.keepLongest;
  endToken(scanner, wide ? fieldWalkValue64(walk, 1) : fieldWalkValue(walk, 1),
           wide ? fieldWalkValue64(walk, 2) : fieldWalkValue(walk, 2), fieldWalkValue(walk, 3), orientation,
           walk.fieldNumber >= 5 ? identityOfText(identity) : kIdentityUnknown,
           walk.fieldNumber >= 6 ? fieldWalkValue(walk, 6) : 0);
}

struct PlainToken {
  int64_t fields[5];  // fields 1 to 3, missing ones repeating the last, then fields 4 and 6
  int count;          // fields the token has
  IdentityText identity;
};

// Reads a token of the usual shape — runs of up to maxDigits digits (nine for the table,
// so every value is an int32; eighteen for a named file) joined by single separators,
// the fifth field with a decimal point allowed, the sixth with a minus sign, ended by white
// space inside this chunk —
// and returns its length, or 0 for any other token, which the general walk then reads.
// Every token it accepts reads the same either way.
size_t readPlainToken(const char* bytes, size_t size, size_t maxDigits, PlainToken& token) {
  size_t i = 0;
  int count = 0;
  int64_t value = 0;
  token.identity = IdentityText{};
  for (;;) {
    size_t start = i;
    value = 0;
    if (count == 4) {
      while (i < size && i - start < 9 && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == '.'))
        feedIdentityText(token.identity, bytes[i++]);
    } else {
      bool negative = count == 5 && i < size && bytes[i] == '-';
      size_t digits = negative ? ++i : i;
      while (i < size && i - digits < maxDigits && bytes[i] >= '0' && bytes[i] <= '9')
        value = value * 10 + (bytes[i++] - '0');
      if (negative) value = -value;
    }
    if (i == start || i == size) return 0;  // an empty field, or the token may go on in the next chunk
    if (count < 4) token.fields[count] = value;
    if (count == 5) token.fields[4] = value;
    ++count;
    char c = bytes[i];
    if (c == '/' || c == ';') {
      ++i;
      continue;
    }
    if (isCSpace(static_cast<unsigned char>(c))) break;
    return 0;
  }
  for (int k = count; k < 3; ++k) token.fields[k] = value;
  token.count = count;
  return i;
}

void endStoreScan(const TandemScanner& scanner) {
  if (!scanner.keepLongest) return;
  if (!pairStoreActive()) startPairStore(scanner.maxPairs);
  finishPairStore();
}

}  // namespace

void startTandemScan(TandemScanner& scanner, uint32_t tag) {
  scanner = TandemScanner{};
  scanner.tag = tag;
}

void scanTandemBytes(TandemScanner& scanner, const char* bytes, size_t size) {
  // The walk and the token flag live in locals for the chunk, so they stay in registers.
  FieldWalk walk = scanner.walk;
  IdentityText identity = scanner.identity;
  bool inToken = scanner.inToken;
  size_t maxDigits = scanner.keepLongest ? 18 : 9;
  size_t i = 0;
  while (i < size) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (isCSpace(c)) {
      if (inToken) endWalkedToken(scanner, walk, identity);
      inToken = false;
      ++i;
      continue;
    }
    if (!inToken) {
      PlainToken token;
      size_t length = readPlainToken(bytes + i, size - i, maxDigits, token);
      if (length > 0 && token.count < 3 && scanner.skipShortTokens) {
        ++scanner.shortTokens;
        i += length;
        continue;
      }
      if (length > 0) {
        endToken(scanner, token.fields[0], token.fields[1], clampToInt32(token.fields[2]),
                 token.count >= 4 ? orientationOfField(clampToInt32(token.fields[3])) : kOrientationUnknown,
                 token.count >= 5 ? identityOfText(token.identity) : kIdentityUnknown,
                 token.count >= 6 ? clampToInt32(token.fields[4]) : 0);
        i += length;
        continue;
      }
      startFieldWalk(walk);
      identity = IdentityText{};
      inToken = true;
    }
    feedFieldWalk(walk, static_cast<char>(c));
    // Every byte of the fifth field that is not a separator is its text.
    if (walk.fieldNumber == 5 && !walk.ended && c != '/' && c != ';') feedIdentityText(identity, static_cast<char>(c));
    ++i;
  }
  scanner.walk = walk;
  scanner.identity = identity;
  scanner.inToken = inToken;
}

void scanTokenFields(TandemScanner& scanner, int64_t pos, int64_t partner, int32_t len, uint8_t orientation,
                     uint16_t identity, int32_t difference) {
  // The table reads positions as int32, clamped as the field walk clamps them.
  if (!scanner.keepLongest) {
    pos = clampToInt32(pos);
    partner = clampToInt32(partner);
  }
  endToken(scanner, pos, partner, len, orientation, identity, difference);
}

void finishTandemScan(TandemScanner& scanner) {
  if (scanner.inToken) endWalkedToken(scanner, scanner.walk, scanner.identity);
  scanner.inToken = false;
  addPending(scanner);
  endStoreScan(scanner);
}

void abandonTandemScan(TandemScanner& scanner) {
  scanner.inToken = false;
  addPending(scanner);
  endStoreScan(scanner);
}
