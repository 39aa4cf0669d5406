// Where each pair lands on the viewer's one axis, or why it is not kept: on one sequence
// (--chrom, or the first seen), or with --all-sequences on every sequence laid end to end.
#pragma once

#include "pair_import.h"
#include "pair_row.h"

// Writes the pair (or holds it: a self-comparison's hit until its twin is known, and for
// --all-sequences without --fai until the lengths are known) and returns true; or returns
// false with the reason it is skipped.
bool placePair(ImportRun& run, const PairRow& pair, SkipReason& reason, const char*& why);

// After the last input: merges the twins among the hits held, lays out --all-sequences'
// genome when every input was read (allRead), refusing one longer than the axis, prints its
// offset table, and writes every pair held in input order. Returns false, the message
// printed, when the list cannot be made (or allRead was false).
bool releaseHeldPairs(ImportRun& run, bool allRead);

// --all-sequences --fai FILE before the first input: reads the index and lays it out.
// Returns false, the message printed, when it cannot be read or does not fit the axis.
bool startGenome(ImportRun& run);

// The same for sequences already set in run.axis (fixed): lays them out, and refuses, the
// message printed, a genome longer than the axis.
bool layOutFixedGenome(ImportRun& run);

// --chrom NAME that no row named: says so with the sequences that were there, and returns
// false. True when there is nothing to say.
bool checkChromSeen(const ImportRun& run);
