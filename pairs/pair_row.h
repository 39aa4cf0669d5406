// What a format reader makes of one line: a pair, a line to pass over (a header), or a
// line to skip, with the reason.
#pragma once

#include <cstdint>
#include <string_view>

#include "skip_reason.h"

enum class RowKind : uint8_t { Pair, Ignore, Skip };

// What a row is to a self-comparison: plain for the formats that report each pair once
// (repeat-match, BEDPE); a hit, which may be the twin of another, for PAF, BLAST and
// show-coords; or a region aligned on itself.
enum class HitRole : uint8_t { Plain, Hit, OnItself };

constexpr double kNoIdentity = -1.0;

// How an aligner says the two copies line up, where the format gives it (PAF's cg:Z and
// its counts): lets a hit of a sequence on itself be cut where it runs along the main
// diagonal (diagonal_cut.h).
struct AlignmentPath {
  std::string_view cigar;  // empty when the line carries none
  int64_t matches;         // matching bases and alignment columns of the whole hit
  int64_t columns;
};

// Positions as the reader computed them, 0-based, before the range check: int64 so that a
// value past int32 is seen and refused rather than wrapped.
struct PairRow {
  int64_t pos;
  int64_t partner;
  int64_t len;              // the first copy's span
  int64_t partnerEnd;       // one past the partner copy's last base
  int orientation;          // 0 same strand, 1 reverse complement
  double identity;          // percent, to two decimals; kNoIdentity when the format gives none
  std::string_view seq1;    // empty when the format names no sequence (repeat-match)
  std::string_view seq2;
  int64_t seq1Length;       // the sequences' lengths when the format gives them (PAF), else 0
  int64_t seq2Length;
  HitRole role;
  AlignmentPath path;
};

// The partner copy's length (the first copy's is len): the two differ where an alignment
// has gaps. The list gives a pair the longer as its length, the bar's height.
inline int64_t partnerLength(const PairRow& pair) { return pair.partnerEnd - pair.partner; }
inline int64_t longerCopy(const PairRow& pair) {
  return pair.len > partnerLength(pair) ? pair.len : partnerLength(pair);
}

struct RowResult {
  RowKind kind;
  SkipReason reason;
  const char* why;  // for a skip: what is wrong, short and static
  PairRow pair;
};

inline RowResult ignoreRow() { return RowResult{RowKind::Ignore, SkipReason::Malformed, nullptr, {}}; }

inline RowResult skipRow(SkipReason reason, const char* why) {
  return RowResult{RowKind::Skip, reason, why, {}};
}

inline RowResult pairRow(const PairRow& pair) {
  return RowResult{RowKind::Pair, SkipReason::Malformed, nullptr, pair};
}
