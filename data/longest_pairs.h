// At the table limit a file named on the command line keeps its longest pairs, not its
// first ones: once the table is full, every further pair competes with the shortest pair
// held, in a bounded selection the size of the table, and at the end the winners are stored
// again in file order, with the colours their own tokens drew.
#pragma once

#include <cstdint>

struct LongestPairsReport {
  uint64_t offered;    // pairs longer than 10 in the file
  int32_t kept;        // pairs stored
  int32_t shortestKept;
};

// Takes the table's pairs as the selection's start; called when the first pair finds the
// table full.
void startLongestPairs();

// Offers one more pair (its length above 10) with the colour its token drew.
void offerLongestPair(int32_t pos, int32_t partner, int32_t len, float r, float g, float b, uint8_t orientation,
                      uint16_t identity, int32_t difference);

// Stores the selection in file order, in place of the table's first-come pairs.
void settleLongestPairs(uint32_t tag);

bool longestPairsActive();
LongestPairsReport longestPairsReport();
