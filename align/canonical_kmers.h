// Canonical 21-mers of a sequence read base by base, hashed: what the identity tiles sketch
// and what the alignment's time estimate samples.
#pragma once

#include <cstdint>

constexpr int kKmerLength = 21;

struct KmerRoll {
  uint64_t forward = 0, reverse = 0;
  int valid = 0;  // bases of the k-mer read since the last one that is not A, C, G or T
};

// MurmurHash3's finaliser: a bijection on 64 bits, so distinct k-mers never collide.
inline uint64_t mixKmer(uint64_t key) {
  key ^= key >> 33;
  key *= 0xff51afd7ed558ccdULL;
  key ^= key >> 33;
  key *= 0xc4ceb9fe1a85ec53ULL;
  key ^= key >> 33;
  return key;
}

// Takes one base; true when a whole k-mer ends here, with its canonical form's hash and
// whether it reads so on the forward strand. A palindrome has no strand and is passed over.
inline bool rollKmer(KmerRoll& roll, char base, uint64_t& hash, bool& forwardFirst) {
  constexpr uint64_t kMask = (uint64_t{1} << (2 * kKmerLength)) - 1;
  int code;
  switch (base | 0x20) {
    case 'a': code = 0; break;
    case 'c': code = 1; break;
    case 'g': code = 2; break;
    case 't': case 'u': code = 3; break;
    default: roll.valid = 0; return false;
  }
  roll.forward = ((roll.forward << 2) | static_cast<uint64_t>(code)) & kMask;
  roll.reverse = (roll.reverse >> 2) | (static_cast<uint64_t>(3 - code) << (2 * (kKmerLength - 1)));
  if (++roll.valid < kKmerLength || roll.forward == roll.reverse) return false;
  forwardFirst = roll.forward < roll.reverse;
  hash = mixKmer(forwardFirst ? roll.forward : roll.reverse);
  return true;
}
