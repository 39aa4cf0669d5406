// Kept pairs of several sequences wait in an unnamed temporary file until every sequence's
// length, and so its place on the axis, is known: memory stays the same whatever the size.
#pragma once

#include <cstdint>
#include <cstdio>

struct SpooledPair {
  int32_t pos;      // on its own sequence
  int32_t partner;  // on its own sequence
  int32_t len;
  int32_t orientation;
  uint32_t seq1;
  uint32_t seq2;
  double identity;
  int32_t partnerLen;  // the partner copy's length; len is the first copy's
};

struct PairSpool {
  FILE* file;  // nullptr until the first pair
  uint64_t count;
  int error;   // errno of the first failure, 0 if none
};

void openPairSpool(PairSpool& spool);
void spoolPair(PairSpool& spool, const SpooledPair& pair);

// Back to the first pair; false (with spool.error) when the spool could not be written.
bool rewindPairSpool(PairSpool& spool);
bool nextSpooledPair(PairSpool& spool, SpooledPair& pair);

void closePairSpool(PairSpool& spool);
