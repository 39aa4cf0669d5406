// Strand and identity of every stored pair, kept beside the record table so that the
// records keep their ten fields. Pair k holds slots 2k - 1 and 2k.
#pragma once

#include <cstdint>

#include "record_table.h"

constexpr int32_t kTablePairs = kTableSlots / 2;

// The list's fourth field: 0 same strand, 1 inverted; absent or any other value, unknown.
constexpr uint8_t kSameStrand = 0;
constexpr uint8_t kInverted = 1;
constexpr uint8_t kOrientationUnknown = 2;

// Identity in hundredths of a percent (9910 for 99.10%); absent or unreadable, unknown.
constexpr uint16_t kIdentityUnknown = 0xFFFF;

struct PairTraits {
  uint8_t orientation[kTablePairs + 1];  // indexed by pair, entry 0 unused
  uint16_t identity[kTablePairs + 1];
  int32_t difference[kTablePairs + 1];   // the sixth field, see copyDifference
  int32_t withIdentity;  // stored pairs whose identity is known
};

extern PairTraits pairTraits;

inline int32_t pairOfSlot(int32_t slot) { return (slot + 1) / 2; }

// The fourth field's value as an orientation.
inline uint8_t orientationOfField(int32_t value) {
  return value == 0 ? kSameStrand : value == 1 ? kInverted : kOrientationUnknown;
}

// The sixth field: the partner copy's length less the first copy's, the third field being
// the longer's; absent, 0: the copies are equally long (every list of three to five
// fields). A difference larger than len would make a copy shorter than nothing: it reads
// as 0. (As large as len leaves a copy empty, as a BEDPE row may give it.)
inline int32_t copyDifference(int32_t len, int32_t field) {
  int64_t magnitude = field < 0 ? -static_cast<int64_t>(field) : field;
  return magnitude <= len ? field : 0;
}

// Each copy's length, from the pair's (the longer's) and the difference.
inline int64_t firstCopyLength(int64_t len, int32_t difference) { return difference > 0 ? len - difference : len; }
inline int64_t partnerCopyLength(int64_t len, int32_t difference) { return difference < 0 ? len + difference : len; }

// Reads identity text byte by byte: digits, then optionally '.' and more digits, rounded
// to two decimals; anything else, or a value above 100, leaves it unknown.
struct IdentityText {
  uint32_t whole;
  uint32_t hundredths;
  uint8_t decimals;  // digits read after the point
  bool point;
  bool digits;
  bool bad;
};

inline void feedIdentityText(IdentityText& text, char c) {
  if (c >= '0' && c <= '9') {
    unsigned digit = static_cast<unsigned>(c - '0');
    text.digits = true;
    if (!text.point) {
      if (text.whole < 1000) text.whole = text.whole * 10 + digit;
    } else {
      if (text.decimals < 2) text.hundredths = text.hundredths * 10 + digit;
      if (text.decimals == 2 && digit >= 5) ++text.hundredths;  // rounds at the third decimal
      if (text.decimals < 3) ++text.decimals;
    }
  } else if (c == '.' && !text.point) {
    text.point = true;
  } else {
    text.bad = true;
  }
}

inline uint16_t identityOfText(const IdentityText& text) {
  if (text.bad || !text.digits) return kIdentityUnknown;
  uint32_t hundredths = text.hundredths;
  if (text.decimals == 1) hundredths *= 10;
  if (text.decimals == 0) hundredths = 0;
  uint32_t value = text.whole * 100 + hundredths;
  return value <= 10000 ? static_cast<uint16_t>(value) : kIdentityUnknown;
}

// Identity of a whole piece of text, for tests and tools.
uint16_t parseIdentity(const char* text);

// Forgets every pair's traits, with the table emptied.
void resetPairTraits();
