// The field walk over one token: fields are separated by '/' or ';', a separator ends a
// field only when some character precedes it, and each field's value is read as atoi reads
// it (optional sign, then digits), saturating at the int32 limits instead of overflowing.
#pragma once

#include <cstdint>

// Incremental form of the walk, so that a token of any length can be read straight from
// the file without being held in a buffer.
struct FieldWalk {
  int32_t closedValues[4];  // values of fields 1 to 3 once closed (index 0 unused)
  int32_t lastClosed;       // value of the field closed most recently
  int64_t fieldNumber;      // the field being read, counting from 1; 64 bits for huge tokens
  int64_t magnitude;        // digits so far, capped just past the int32 range
  bool negative;
  uint8_t phase;            // where atoi stands in the current field
  bool sawCharacter;        // a separator ends a field only after some character
  bool ended;               // a NUL ends the token for the walk, as it ends a C string
};

void startFieldWalk(FieldWalk& walk);
void feedFieldWalk(FieldWalk& walk, char c);

// Value of field k (from 1) of the token walked so far; a field past the last one gives
// the value of the last field.
int32_t fieldWalkValue(const FieldWalk& walk, int k);

// Value of field k (from 1) of a NUL-terminated token.
int32_t tandemField(const char* token, int k);
