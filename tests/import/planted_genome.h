// A random sequence with repeats planted at known places, for checking what real repeat
// finders report against what is known to be there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One copy of a repeat: where it starts and whether it is the reverse complement of the
// first copy of its group.
struct PlantedCopy {
  int64_t start;
  bool reverse;
};

// A repeat of one length, copied to several places; the first copy is the original. With
// mismatchEvery N, a two-copy repeat's second copy differs from the first at offsets N/2,
// N/2 + N, ...: known identity, and ends still exact.
struct PlantedRepeat {
  int64_t length;
  std::vector<PlantedCopy> copies;
  int64_t mismatchEvery = 0;
};

// A pair as the importer writes it: the earlier copy first.
struct ExpectedPair {
  int64_t pos;
  int64_t partner;
  int64_t len;
  int orientation;
  std::string identity;  // as the importer writes it, "98.38"
  bool operator<(const ExpectedPair& o) const;
  bool operator==(const ExpectedPair& o) const;
};

// Random bases with every repeat planted. Each copy's flanks, 20 bases either side, differ
// base by base from those of every other copy of its group (seen in the group's
// orientation), so each planted copy pair is a maximal match that ends exactly where it was
// planted; in a two-copy repeat they also differ from the other copy's flank one base
// aside, so gapped alignments end there too. Copies must lie 20 bases or more from the ends and from one another.
std::string plantRepeats(uint64_t seed, int64_t length, const std::vector<PlantedRepeat>& repeats);

// Every pair of copies within each group, as the importer should write it.
std::vector<ExpectedPair> expectedPairs(const std::vector<PlantedRepeat>& repeats);

std::string asFasta(const std::string& name, const std::string& bases);
