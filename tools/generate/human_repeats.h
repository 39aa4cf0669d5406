// RepeatMasker-like annotation over the human-sized layout: a .out file (its three header
// lines, then one row a repeat, in position order on each chromosome), as --annotation reads
// RepeatMasker's output. SINEs, LINEs, LTRs, DNA transposons, simple repeats and low
// complexity in roughly a human genome's mix.
#pragma once

#include <cstdint>
#include <cstdio>

// RepeatMasker's .out header.
void writeRepeatMaskerHeader(std::FILE* out);
// One .out row: begin is 1-based, end inclusive, left the bases after it on the sequence;
// complement marks the minus strand ('C'). id numbers the row.
void writeRepeatMaskerRow(std::FILE* out, int score, const char* sequence, int64_t begin, int64_t end, int64_t left,
                          bool complement, const char* repeat, const char* family, int64_t id);

// Writes the header and rows rows spread over the 24 chromosomes in proportion to their
// lengths. Deterministic in seed. False when out could not be written.
bool writeHumanRepeats(std::FILE* out, int64_t rows, uint64_t seed);
