// Writes the tandem list, one "pos/partner/len/orientation[/identity[/difference]]" token a
// line, through one buffer. To a file it writes under a temporary name beside it and
// renames at the end, so a run that fails, or is interrupted, leaves no partial list behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "output_file.h"
#include "pair_tokens.h"

struct PairWriter {
  int fd;
  std::string path;      // the list's final name; empty for standard output
  OutputFile file;       // the temporary it is written to until it is complete
  std::vector<char> buffer;
  size_t used;
  int error;             // errno of the first failed write, 0 if none
};

// Standard output.
void openStdoutWriter(PairWriter& writer);

// Creates the temporary file beside path (see openOutputFile: an existing path needs force,
// and must be a regular file that is none of the inputs). Returns the exit code, kExitOk
// when the writer is ready; any refusal is already reported.
int openFileWriter(PairWriter& writer, const std::string& path, bool force, const std::vector<std::string>& inputs);

// As emitPair: len the first copy's length, partnerLen the partner copy's (negative: as long).
void writePair(PairWriter& writer, int64_t pos, int64_t partner, int64_t len, int orientation,
               double identity = -1.0, int64_t partnerLen = -1);

// Writes whole tokens' text; takeTokens is the same as the importer's sink (context: the
// writer).
void writeTokens(PairWriter& writer, const char* text, size_t size);
void takeTokens(void* writer, const char* text, size_t size);

// Writes text as it is (a file beside the list, such as its offset table).
void writeText(PairWriter& writer, const std::string& text);

// Flushes and, for a file, moves it to its final name. Returns false when something
// failed (a failure of the move is reported; writer.error holds a failed write's errno);
// the temporary file is then gone.
bool finishWriter(PairWriter& writer);

// Drops a file run's temporary file (a run that failed elsewhere).
void abandonWriter(PairWriter& writer);
