// One size of the genome-scale benchmark, run in its own process so that its load's peak
// memory is its own: the pairs opened as the viewer opens a named file, then frames of the
// overview and of a close view, with the camera still and turning; optionally annotation
// lanes, alone or over the pairs. Prints one "result" line for genome_bench to read.
#pragma once

#include <cstdint>
#include <string>

// The files genome_bench writes in its work folder.
std::string layoutPath(const std::string& work);               // human.fai
std::string pairsPath(const std::string& work, int64_t pairs);  // pairs-N.paf, a line a pair
std::string repeatsPath(const std::string& work);              // repeats.out

// pairs 0: only the lanes' load (time, peak memory). Otherwise the pairs' load and frames,
// and with lanes the frames beside and without them. Returns the exit code.
int runGenomeSize(const std::string& work, int64_t pairs, bool lanes, int frames);

// What runGenomeSize printed, read back.
struct GenomeFigures {
  double loadSeconds = 0;
  double peakKib = 0;  // after the load (pairs), or the lanes' load's own rise (pairs 0)
  double overview[2] = {};  // ms a frame: still, turning
  double close[2] = {};
  int64_t drawn[2] = {};  // bars drawn: overview, close
  double lanesOff[2] = {};  // overview, close, camera still
  double lanesOn[2] = {};
};
bool readGenomeFigures(const std::string& text, GenomeFigures& figures);
