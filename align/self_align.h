// A genome FASTA aligned against itself in process, through libminimap2: the alignments of
// `minimap2 -c -X [-x PRESET] genome.fa genome.fa`, as the PAF lines that binary writes and
// in its order. Linux only.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct FastaSequence {
  std::string name;  // up to the first white space of its header, as minimap2 names it
  int64_t length;
};

struct SelfAlignOptions {
  std::string preset;   // minimap2's -x; "" for its default
  int threads = 0;      // 0: all the cores this process may use
  FILE* progress = nullptr;  // where to tell how far it is; null for silence
  // Where the bytes lie when not at path (a copy of a pipe's, since minimap2 reads the file
  // twice); messages still name path.
  std::string readFrom;
  const std::atomic<bool>* cancel = nullptr;  // turned true: stop within about a second
  // Once the sequences are read, before any aligning: false stops the run there (the error
  // is then the hook's to tell, and error is left empty).
  bool (*sequencesRead)(void* context, const std::vector<FastaSequence>& sequences) = nullptr;
  // Some ten times a second, for a caller that shows the work itself: how far the whole run
  // is (0 to 1) and the progress line's text. context is the line sink's.
  void (*status)(void* context, double fraction, const std::string& text) = nullptr;
};

// Reads the FASTA (plain or gzip, told from the content) at path and hands every PAF line
// (without its line end: the 12 standard columns, then minimap2's tags) to line(context,
// text), on the calling thread. sequences is filled in file order before the first line
// (left empty if the file cannot be read). False with a one-line error when the file
// cannot be read or is not FASTA, the preset is unknown, or on cancel ("cancelled"); the
// lines handed out before a failure are then only part of the alignment.
//
// Progress, when asked for: nothing for a run over within a second; after that one line a
// second (rewritten in place on a terminal) with the sequences and bases done, the time
// taken and an estimate of the rest, and a closing line with the totals.
bool selfAlignFasta(const char* path, const SelfAlignOptions& options, void (*line)(void*, std::string_view),
                    void* context, std::vector<FastaSequence>& sequences, std::string& error);

// Whether minimap2 knows the preset and takes it with -X, for checking a command line
// before any reading; why, when given, says what is wrong.
bool knownAlignPreset(const std::string& preset, std::string* why = nullptr);

// The threads 0 stands for.
int defaultAlignThreads();
