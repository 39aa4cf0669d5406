// The field walk over one token: fields are separated by '/' or ';', a separator ends a
// field only when some character precedes it, and each field's value is read as atoi reads
// it (optional sign, then digits), saturating at the int32 limits instead of overflowing;
// a named file's positions read the same digits as int64.
#pragma once

#include <cstdint>

// Incremental form of the walk, so that a token of any length can be read straight from
// the file without being held in a buffer.
struct FieldWalk {
  int64_t closedValues[7];  // values of fields 1 to 6 once closed (index 0 unused)
  int64_t lastClosed;       // value of the field closed most recently
  int64_t fieldNumber;      // the field being read, counting from 1; 64 bits for huge tokens
  int64_t magnitude;        // digits so far, capped far past any genome
  bool negative;
  uint8_t phase;            // where atoi stands in the current field
  bool sawCharacter;        // a separator ends a field only after some character
  bool ended;               // a NUL ends the token for the walk, as it ends a C string
};

// What the C library calls white space: atoi skips it before a number, "%s" ends a token
// at it.
inline bool isCSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// As atoi gives it: saturated at the int32 limits.
inline int32_t clampToInt32(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// The walk is inline: the loader feeds it every byte of the file.
namespace field_walk_detail {

enum Phase : uint8_t { kBeforeSign, kAfterSign, kInDigits, kStopped };

inline constexpr int64_t kMagnitudeCap = int64_t{1} << 62;

inline bool isSeparator(char c) { return c == '/' || c == ';'; }

inline void startField(FieldWalk& walk) {
  walk.magnitude = 0;
  walk.negative = false;
  walk.phase = kBeforeSign;
}

inline int64_t currentValue64(const FieldWalk& walk) { return walk.negative ? -walk.magnitude : walk.magnitude; }


inline void feedDigitOrStop(FieldWalk& walk, char c) {
  if (c >= '0' && c <= '9') {
    walk.phase = kInDigits;
    int64_t next = walk.magnitude >= kMagnitudeCap / 10 ? kMagnitudeCap : walk.magnitude * 10 + (c - '0');
    walk.magnitude = next > kMagnitudeCap ? kMagnitudeCap : next;
  } else {
    walk.phase = kStopped;
  }
}

}  // namespace field_walk_detail

inline void startFieldWalk(FieldWalk& walk) {
  using namespace field_walk_detail;
  walk = FieldWalk{};
  walk.fieldNumber = 1;
  startField(walk);
}

inline void feedFieldWalk(FieldWalk& walk, char c) {
  using namespace field_walk_detail;
  if (walk.ended) return;
  if (c == '\0') {
    walk.ended = true;
    return;
  }
  if (isSeparator(c)) {
    if (walk.sawCharacter) {
      walk.lastClosed = currentValue64(walk);
      if (walk.fieldNumber <= 6) walk.closedValues[walk.fieldNumber] = walk.lastClosed;
      ++walk.fieldNumber;
      startField(walk);
    }
    walk.sawCharacter = true;
    return;
  }
  walk.sawCharacter = true;
  switch (walk.phase) {
    case kBeforeSign:
      if (isCSpace(static_cast<unsigned char>(c))) break;
      if (c == '+' || c == '-') {
        walk.negative = c == '-';
        walk.phase = kAfterSign;
      } else {
        feedDigitOrStop(walk, c);
      }
      break;
    case kAfterSign:
    case kInDigits:
      feedDigitOrStop(walk, c);
      break;
    default:
      break;
  }
}

// Value of field k (from 1) of the token walked so far; a field past the last one gives
// the value of the last field.
int32_t fieldWalkValue(const FieldWalk& walk, int k);
// The same in 64 bits, for a named file's positions.
int64_t fieldWalkValue64(const FieldWalk& walk, int k);

// Value of field k (from 1) of a NUL-terminated token.
int32_t tandemField(const char* token, int k);
