// Opening a pair file as the viewer does: a tandem list, or any format quelvar-import
// reads, converted on the way in so that the records, the random draws and the summary are
// those of importing the file first and loading the list.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <memory>

#include "load_progress.h"
#include "named_input.h"
#include "pair_import.h"

struct PairFileOptions {
  bool tandem = false;  // --from tandem: the viewer's own list, whatever its first lines look like
  // FILE was named on the command line: it is read as a list only when it looks like one,
  // and its pairs go into the pair store, where past maxPairs its longest pairs stay.
  // date.txt read by default keeps the fixed table and its first-come loading.
  bool named = false;
  int64_t maxPairs = 0;  // --max-pairs; 0: defaultMaxPairs()
  ImportOptions import;  // from (Unknown: told from the content), chrom, allSequences
  // FILE as checkNamedPairFile opened it: the load reads on from there, never opening it again.
  std::shared_ptr<NamedInput> input;
  FILE* messages = nullptr;  // where a pair file's import speaks; null: standard error
  LoadProgress* progress = nullptr;  // counts what the load has read, for a caller that shows it
};

// loadPairFile's answer when the import refused the pairs (its message is printed): a
// --chrom that no row names, a genome longer than the axis.
constexpr int kPairFileRefused = -1;

// Loads path into the record table and prints the summary, as loadTandemList does for a
// list. Its format is the one named, or told from the first lines as quelvar-import tells
// it; a file whose first lines tell no format is read as a tandem list. The import's skip
// report goes to standard error. Returns 0 when the file was read whole, the error that
// stopped the reading ("UPS" printed, as for a list), or kPairFileRefused. The reading
// starts from options.input when it holds path, with what the check read still waiting.
int loadPairFile(const char* path, const PairFileOptions& options, uint32_t tag);

// The end of a load that streamed into scanner with loadPairFile's answer: the summary
// ("UPS" first for a read error), and past the pair bound which pairs stayed. Returns answer.
// sequences: what the pairs lie on, kept for loadedSequences.
struct TandemScanner;
int endPairLoad(TandemScanner& scanner, int answer, SequenceAxis sequences);

// The import's sink into scanner: every pair handed over as its token's values, no text.
PairSink scannerSink(TandemScanner& scanner);

// loadedSequences() (sequence_axis.h) then holds what the pairs lie on: every sequence
// laid end to end, or the one kept, or those of a named list's offset table beside it.

// A tandem list's offset table, written beside it by quelvar-import --all-sequences
// ("LIST.sequences": name<TAB>offset<TAB>length lines): loadPairFile reads it for a named
// list, so the list's pairs lie on named sequences. True with axis empty when there is
// none; false with error (naming the file and line) when it is there but cannot be read or
// is malformed.
bool readListSequences(const char* listPath, SequenceAxis& axis, std::string& error);

// Before anything is drawn: whether a named FILE can be read as pairs. Unreadable or
// NotPairs come with the one line that says why (without the program's name): the file
// cannot be read, is compressed in a way not read here, or its first lines are no pairs
// (a FASTA, an annotation, binary data): "genome.fa looks like FASTA (sequences), not
// pairs; ...". A list whose offset table beside it is malformed is NotPairs too, with
// readListSequences' message.
// Fasta: a genome to align against itself first (message then says how to do it outside,
// for a build that cannot).
// The file is opened once, into options.input, which the load then reads on from.
enum class NamedFileCheck { Pairs, Unreadable, NotPairs, Fasta };
NamedFileCheck checkNamedPairFile(const char* path, PairFileOptions& options, std::string& message);
