#include "tandem_field.h"

namespace {

enum Phase : uint8_t { kBeforeSign, kAfterSign, kInDigits, kStopped };

constexpr int64_t kMagnitudeCap = int64_t{1} << 31;  // |INT32_MIN|: enough to saturate

bool isSeparator(char c) { return c == '/' || c == ';'; }

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void startField(FieldWalk& walk) {
  walk.magnitude = 0;
  walk.negative = false;
  walk.phase = kBeforeSign;
}

int32_t currentValue(const FieldWalk& walk) {
  if (walk.negative) return static_cast<int32_t>(-walk.magnitude);
  return walk.magnitude >= kMagnitudeCap ? INT32_MAX : static_cast<int32_t>(walk.magnitude);
}

void feedDigitOrStop(FieldWalk& walk, char c) {
  if (c >= '0' && c <= '9') {
    walk.phase = kInDigits;
    int64_t next = walk.magnitude * 10 + (c - '0');
    walk.magnitude = next > kMagnitudeCap ? kMagnitudeCap : next;
  } else {
    walk.phase = kStopped;
  }
}

}  // namespace

void startFieldWalk(FieldWalk& walk) {
  walk = FieldWalk{};
  walk.fieldNumber = 1;
  startField(walk);
}

void feedFieldWalk(FieldWalk& walk, char c) {
  if (walk.ended) return;
  if (c == '\0') {
    walk.ended = true;
    return;
  }
  if (isSeparator(c)) {
    if (walk.sawCharacter) {
      walk.lastClosed = currentValue(walk);
      if (walk.fieldNumber <= 3) walk.closedValues[walk.fieldNumber] = walk.lastClosed;
      ++walk.fieldNumber;
      startField(walk);
    }
    walk.sawCharacter = true;
    return;
  }
  walk.sawCharacter = true;
  switch (walk.phase) {
    case kBeforeSign:
      if (isSpace(c)) break;
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

int32_t fieldWalkValue(const FieldWalk& walk, int k) {
  if (k >= 1 && k < walk.fieldNumber && k <= 3) return walk.closedValues[k];
  return currentValue(walk);
}

int32_t tandemField(const char* token, int k) {
  FieldWalk walk;
  startFieldWalk(walk);
  for (const char* p = token; *p != '\0'; ++p) {
    feedFieldWalk(walk, *p);
    if (k >= 1 && walk.fieldNumber > k) return walk.lastClosed;  // field k has just closed
  }
  return currentValue(walk);
}
