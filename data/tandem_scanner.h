// Turns the bytes of a tandem list into record pairs, token by token, in chunks of any
// size: a token split across two chunks is read as one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pair_traits.h"
#include "tandem_field.h"

// A token whose fields are known but whose pair is not yet added: adding waits one token so
// that the stack counters it needs are already on their way into the cache.
struct PendingToken {
  int64_t pos;  // int32 for the table
  int64_t partner;
  int32_t len;
  bool waiting;
  uint8_t orientation;  // from the fourth field, kept beside the records
  uint16_t identity;    // from the fifth field
  int32_t difference;   // the sixth field as written, checked against len when stored
};

struct TandemScanner {
  FieldWalk walk;
  IdentityText identity;  // the fifth field of a walked token, read with its decimals
  bool inToken;
  PendingToken pending;
  bool refusedForRoom;  // a pair was refused because the table was full
  // A named file: its pairs go into the pair store, positions read in 64 bits, and past
  // maxPairs (0: as many as slots can number) the longest stay, not the first.
  bool keepLongest;
  int64_t maxPairs;
  // A named list skips a token of fewer than three fields (what `head -c` leaves at the
  // end) instead of repeating its last field as the length; date.txt keeps that reading.
  bool skipShortTokens;
  uint64_t shortTokens;  // skipped so
  uint32_t tag;
};

void startTandemScan(TandemScanner& scanner, uint32_t tag);
void scanTandemBytes(TandemScanner& scanner, const char* bytes, size_t size);
// One token handed over as the values its fields read as (len, orientation, identity and
// difference as the fields give them, positions whole), added as the token would be.
void scanTokenFields(TandemScanner& scanner, int64_t pos, int64_t partner, int32_t len, uint8_t orientation,
                     uint16_t identity, int32_t difference);
// Ends the token that the last chunk left open, if any, and adds every waiting pair.
void finishTandemScan(TandemScanner& scanner);
// Drops the token that the last chunk left open (its bytes are incomplete) and adds every
// waiting pair.
void abandonTandemScan(TandemScanner& scanner);
