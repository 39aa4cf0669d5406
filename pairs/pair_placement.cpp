#include "pair_placement.h"

#include <cerrno>
#include <cstring>

#include "diagonal_cut.h"
#include "line_reader.h"
#include "sequence_axis.h"
#include "text_fields.h"

namespace {

constexpr size_t kNamesRemembered = 1000;  // for --chrom's message only
constexpr size_t kNamesListed = 20;

void announceSequence(ImportRun& run) {
  char shown[64];
  quoteForMessage(run.sequence, shown, sizeof shown);
  std::fprintf(run.messages, "quelvar-import: keeping the pairs on %s, the first sequence seen (--chrom picks another)\n",
               shown);
}

bool skip(SkipReason reason, const char* why, SkipReason& reasonOut, const char*& whyOut) {
  reasonOut = reason;
  whyOut = why;
  return false;
}

// Both copies within the axis a named file may hold (the spool and the mirror index keep
// positions in 39 bits).
bool outOfRange(const PairRow& pair) {
  auto within = [](int64_t start, int64_t length) {
    return start >= 0 && length >= 0 && start < kLongestAxis && length <= kLongestAxis - start;
  };
  return !within(pair.pos, pair.len) || !within(pair.partner, partnerLength(pair));
}

const char kOutOfRange[] = "a copy lies outside positions 0 to 499999999999";
static_assert(kLongestAxis == 500000000000, "kOutOfRange names the axis");

// Until --chrom's sequence turns up, the names met are remembered for the message that
// says it is not there.
void rememberNames(ImportRun& run, const PairRow& pair) {
  if (pair.seq1 == run.sequence || pair.seq2 == run.sequence) {
    run.chromSeen = true;
    run.axis = SequenceAxis{};
    return;
  }
  if (run.axis.sequences.size() >= kNamesRemembered) return;
  sequenceNumber(run.axis, pair.seq1);
  sequenceNumber(run.axis, pair.seq2);
}

// Writes a kept pair, on the one sequence or at its sequences' places on the axis laid out.
void writePair(ImportRun& run, const SpooledPair& pair) {
  int64_t at = pair.startA, partnerAt = pair.startB;
  if (pair.onGenome) {
    at += run.axis.sequences[pair.seqA].offset;
    partnerAt += run.axis.sequences[pair.seqB].offset;
  }
  emitPair(run.tokens, at, partnerAt, pair.endA - pair.startA, pair.orientation, pair.identity,
           pair.endB - pair.startB);
  ++run.imported;
}

// A hit waits in the spool until every hit is in and its twin, if any, is known; so does a
// pair whose sequences are not laid out yet, and every pair after the first that waits, to
// keep the input's order.
void holdOrWrite(ImportRun& run, const PairRow& pair, uint32_t seq1, uint32_t seq2, bool onGenome, bool piece) {
  SpooledPair held{pair.pos, pair.pos + pair.len, pair.partner, pair.partnerEnd, pair.identity, seq1, seq2,
                   static_cast<uint8_t>(pair.orientation), pair.role == HitRole::Hit, onGenome, piece};
  if (!held.hit && run.spool.count == 0 && (!onGenome || run.axis.fixed)) {
    writePair(run, held);
    return;
  }
  if (held.hit) indexHit(run.mirrors, held, run.spool.count);
  spoolPair(run.spool, held);
}

bool copiesOverlap(const PairRow& pair) { return pair.partner < pair.pos + pair.len && pair.pos < pair.partnerEnd; }

// The self-alignment and length rules every pair passes after the range check; the
// sequences are numbered as the mirror index compares them. A hit of a sequence on itself
// that runs along the main diagonal is cut there, its parts off it kept in its place.
bool keepPair(ImportRun& run, const PairRow& pair, uint32_t seq1, uint32_t seq2, bool onGenome, SkipReason& reason,
              const char*& why) {
  if (pair.role == HitRole::OnItself) return skip(SkipReason::OnItself, "a region aligned on itself", reason, why);
  if (pair.role == HitRole::Hit && pair.seq1 == pair.seq2 && pair.orientation == 0) {
    int stretches = 0;
    PathCut cut = cutDiagonal(pair, run.pieces, stretches);
    if (cut == PathCut::Malformed)
      return skip(SkipReason::Malformed, "its cg:Z path does not lead from its starts to its ends", reason, why);
    if (cut == PathCut::NoPath && copiesOverlap(pair)) ++run.diagonal.overlapsWithoutPath;
    if (cut == PathCut::Cut) {
      run.diagonal.stretches += static_cast<uint64_t>(stretches);
      ++run.diagonal.alignments;
      for (const PairRow& piece : run.pieces) {
        if (longerCopy(piece) < run.options->minLength) {
          ++run.diagonal.piecesShort;
          continue;
        }
        ++run.diagonal.piecesKept;
        holdOrWrite(run, piece, seq1, seq2, onGenome, true);
      }
      return true;
    }
  }
  if (longerCopy(pair) < run.options->minLength) return skip(SkipReason::TooShort, "shorter than --min-length", reason, why);
  holdOrWrite(run, pair, seq1, seq2, onGenome, false);
  return true;
}

bool placeOnOneSequence(ImportRun& run, const PairRow& pair, SkipReason& reason, const char*& why) {
  if (!pair.seq1.empty()) {
    run.sawNamedRow = true;
    if (run.sequence.empty()) {
      if (pair.seq1 != pair.seq2) return skip(SkipReason::OtherSequence, "its ends lie on two sequences", reason, why);
      run.sequence.assign(pair.seq1.data(), pair.seq1.size());
      run.chromSeen = true;
      announceSequence(run);
    }
    if (!run.chromSeen) rememberNames(run, pair);
    if (pair.seq1 == run.sequence && pair.seq1Length > run.sequenceLength) run.sequenceLength = pair.seq1Length;
    if (pair.seq2 == run.sequence && pair.seq2Length > run.sequenceLength) run.sequenceLength = pair.seq2Length;
    if (pair.seq1 != run.sequence || pair.seq2 != run.sequence)
      return skip(SkipReason::OtherSequence,
                  pair.seq1 != pair.seq2 ? "its ends lie on two sequences" : "it lies on another sequence", reason,
                  why);
  }
  if (outOfRange(pair)) return skip(SkipReason::OutOfRange, kOutOfRange, reason, why);
  return keepPair(run, pair, 0, 0, false, reason, why);
}

bool placeOnGenome(ImportRun& run, const PairRow& pair, SkipReason& reason, const char*& why) {
  run.sawNamedRow = true;
  uint32_t seq1 = sequenceNumber(run.axis, pair.seq1);
  uint32_t seq2 = sequenceNumber(run.axis, pair.seq2);
  if (seq1 == kNoSequence || seq2 == kNoSequence)
    return skip(SkipReason::OtherSequence, "its sequence is not in the --fai index", reason, why);
  if (outOfRange(pair)) return skip(SkipReason::OutOfRange, kOutOfRange, reason, why);
  if (run.axis.fixed) {
    if (pair.pos + pair.len > run.axis.sequences[seq1].length || pair.partnerEnd > run.axis.sequences[seq2].length)
      return skip(SkipReason::OutOfRange, "it reaches past its sequence's length in the --fai index", reason, why);
  } else {
    // Every row that is read, kept or not, tells how long its sequences are at least.
    reachSequence(run.axis, seq1, pair.seq1Length > 0 ? pair.seq1Length : pair.pos + pair.len);
    reachSequence(run.axis, seq2, pair.seq2Length > 0 ? pair.seq2Length : pair.partnerEnd);
    if (pair.seq1Length <= 0 || pair.seq2Length <= 0) run.lengthsGuessed = true;
  }
  return keepPair(run, pair, seq1, seq2, true, reason, why);
}

bool genomeFits(const ImportRun& run, int64_t end) {
  if (end <= kLongestAxis) return true;
  std::fprintf(run.messages,
               "quelvar-import: the %zu sequences laid end to end span %lld bases, more than the viewer's axis holds "
               "(positions 0 to %lld); pick one with --chrom, or fewer with --fai\n",
               run.axis.sequences.size(), static_cast<long long>(end), static_cast<long long>(kLongestAxis - 1));
  return false;
}

// --all-sequences after the last input: lays the sequences out, refuses a genome longer
// than the axis and prints the offset table. False, the message printed, when refused.
bool layOutGenome(ImportRun& run) {
  if (!run.options->allSequences || run.axis.sequences.empty()) return true;
  if (!run.axis.fixed && !genomeFits(run, layOutSequences(run.axis))) return false;
  std::fprintf(run.messages, "quelvar-import: %zu sequences laid end to end (name, offset, length):\n",
               run.axis.sequences.size());
  for (const AxisSequence& sequence : run.axis.sequences) {
    char shown[64];
    quoteForMessage(sequence.name, shown, sizeof shown);
    std::fprintf(run.messages, "  %s\t%lld\t%lld\n", shown, static_cast<long long>(sequence.offset),
                 static_cast<long long>(sequence.length));
  }
  if (run.lengthsGuessed && !run.axis.fixed)
    std::fprintf(run.messages,
                 "quelvar-import: the input gives no sequence lengths; each reaches as far as its hits do "
                 "(--fai FILE gives the real ones)\n");
  return true;
}

}  // namespace

bool placePair(ImportRun& run, const PairRow& pair, SkipReason& reason, const char*& why) {
  if (run.options->allSequences && !pair.seq1.empty()) return placeOnGenome(run, pair, reason, why);
  return placeOnOneSequence(run, pair, reason, why);
}

bool startGenome(ImportRun& run) {
  const std::string& path = run.options->fai;
  if (path.empty()) return true;
  int fd = openForReading(path.c_str());
  if (fd < 0) {
    std::fprintf(run.messages, "quelvar-import: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  std::string error;
  bool read = readFaiIndex(run.axis, fd, path.c_str(), error);
  closeInput(fd);
  if (!read) {
    std::fprintf(run.messages, "quelvar-import: %s\n", error.c_str());
    return false;
  }
  return layOutFixedGenome(run);
}

bool layOutFixedGenome(ImportRun& run) { return genomeFits(run, layOutSequences(run.axis)); }

// A merged line is counted among the lines skipped; a merged part of a cut hit, which is
// no line, with the cut. A pair on sequences that could not be laid out is not written.
bool releaseHeldPairs(ImportRun& run, bool allRead) {
  mergeMirrors(run.mirrors, run.spool.count);
  bool laidOut = allRead && layOutGenome(run);
  bool placed = laidOut || run.axis.fixed;
  if (!rewindPairSpool(run.spool)) {
    std::fprintf(run.messages, "quelvar-import: cannot hold the pairs in a temporary file: %s\n",
                 std::strerror(run.spool.error));
    return false;
  }
  uint64_t number = 0;
  for (;;) {
    const std::vector<SpooledPair>& batch = nextSpooledPairs(run.spool);
    if (batch.empty()) break;
    for (const SpooledPair& pair : batch) {
      if (!mirrorMerged(run.mirrors, number++)) {
        if (!pair.onGenome || placed) writePair(run, pair);
      } else if (pair.piece) {
        ++run.diagonal.piecesMerged;
      } else {
        ++run.report.counts[static_cast<int>(SkipReason::Mirror)];
      }
    }
  }
  run.mirrors = MirrorIndex{};
  if (run.spool.error != 0) {
    std::fprintf(run.messages, "quelvar-import: cannot read back the pairs held in a temporary file: %s\n",
                 std::strerror(run.spool.error));
    return false;
  }
  return laidOut;
}

bool checkChromSeen(const ImportRun& run) {
  if (run.options->chrom.empty() || !run.sawNamedRow || run.chromSeen) return true;
  char shown[64];
  quoteForMessage(run.options->chrom, shown, sizeof shown);
  std::fprintf(run.messages, "quelvar-import: no pair names %s; the input names", shown);
  size_t listed = 0;
  for (const AxisSequence& sequence : run.axis.sequences) {
    if (listed == kNamesListed) break;
    quoteForMessage(sequence.name, shown, sizeof shown);
    std::fprintf(run.messages, "%s %s", listed == 0 ? "" : ",", shown);
    ++listed;
  }
  if (run.axis.sequences.size() > listed)
    std::fprintf(run.messages, " and %s%zu more", run.axis.sequences.size() >= kNamesRemembered ? "at least " : "",
                 run.axis.sequences.size() - listed);
  std::fprintf(run.messages, "\n");
  return false;
}
