// The real genomes the alignment tests run on, and the two ways of aligning them: in
// process, and Debian's minimap2 binary as a user runs it.
#pragma once

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "self_align.h"

// ragout-examples: one H. pylori chromosome (1.66 Mb), and an assembly of the same species
// in 183 contigs (1.65 Mb).
extern const char* const kChromosome;
extern const char* const kContigs;

// Whether the package that ships the file is installed.
bool haveGenome(const char* path);

struct InProcess {
  bool ok = false;
  std::string error;
  std::vector<std::string> lines;
  std::vector<FastaSequence> sequences;
};

struct AlignCall {
  std::string preset;
  int threads = 0;
  FILE* progress = nullptr;
  std::atomic<bool>* cancel = nullptr;
  bool cancelAtFirstLine = false;  // the sink turns *cancel true on the first line
  int sleepPerLineMs = 0;          // a slow sink
};

InProcess alignInProcess(const std::string& path, const AlignCall& call = {});

// `minimap2 [-x preset] -c -X -t 2 path path`, its lines; empty with the exit code in
// failure when it fails.
std::vector<std::string> alignWithBinary(const std::string& path, const std::string& preset, std::string& failure);

// A plain copy of a gzip file, in a scratch folder.
std::string plainCopy(const std::string& gzipPath, const std::string& folder);

// Each sequence's name and length, as awk counts them in the plain text.
std::vector<FastaSequence> sequencesByAwk(const std::string& plainPath);
