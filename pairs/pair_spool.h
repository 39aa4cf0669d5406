// Kept pairs wait in an unnamed temporary file while their place in the output is not yet
// known: a self-comparison's hits until every twin is found (mirror_index), every pair read
// after the first hit so that the input's order stays, and the pairs of several sequences
// until every sequence's length, and so its place on the axis, is known. Memory stays the
// same whatever the size.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct SpooledPair {
  int64_t startA, endA;  // 0-based, end exclusive, on their own sequences
  int64_t startB, endB;
  double identity;
  uint32_t seqA, seqB;   // the sequences of the two copies, numbered by the caller
  uint8_t orientation;
  bool hit;              // may have a twin
  bool onGenome;         // placed among every sequence laid end to end
  bool piece;            // a part of a hit cut off the diagonal (diagonal_cut.h)
};

struct PairSpool {
  FILE* file;  // nullptr until the first pair
  uint64_t count;
  int error;   // errno of the first failure, 0 if none
  std::vector<SpooledPair> batch;  // written a batch at a time
  bool handedOut;  // a spool that never reached a file: its batch was read back
};

void openPairSpool(PairSpool& spool);
void spoolPair(PairSpool& spool, const SpooledPair& pair);

// Back to the first pair; false (with spool.error) when the spool could not be written.
bool rewindPairSpool(PairSpool& spool);
// The next pairs in order, up to a batch; empty at the end or on a failure (spool.error).
const std::vector<SpooledPair>& nextSpooledPairs(PairSpool& spool);

void closePairSpool(PairSpool& spool);
