// A first pass over a genome FASTA (plain or gzip, told from the content): checks that it
// is FASTA and reads to its end intact, and lists its sequences with the names and lengths
// minimap2's reader gives them. minimap2 itself takes a damaged gzip stream for the end of
// the file and anything before the first '>' for nothing, so this pass is what turns those
// into errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "self_align.h"

struct FastaScan {
  std::vector<FastaSequence> sequences;  // in file order
  int64_t bases = 0;                     // their total length
  int64_t fileBytes = 0;                 // size on disk (compressed, for a gzip file)
};

// Called after every chunk read with the bytes of the file consumed so far; returning
// false stops the scan (it then fails with error "cancelled").
using ScanTick = bool (*)(void* context, int64_t bytesRead);

// For a reader that wants the bases too: every character of a sequence line but the line
// end, in file order, with the record it belongs to (its index in scan.sequences).
struct BaseSink {
  void (*take)(void* context, size_t record, char base) = nullptr;
  void* context = nullptr;
};

// False with a one-line error naming the path when the file cannot be opened or read, is
// empty, is not FASTA, holds a record without a name, holds protein, holds no sequence, or
// holds one longer than minimap2 takes. readFrom: where the bytes lie when not at path (a
// pipe's copy); messages name path.
bool scanFasta(const char* path, FastaScan& scan, ScanTick tick, void* context, std::string& error,
               const char* readFrom = nullptr, BaseSink bases = {});
