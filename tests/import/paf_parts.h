// PAF lines as the tests read them, and, independently of the importer, where a hit of a
// sequence on itself runs along the main diagonal: base by base from its cg:Z path.
#pragma once

#include <string>
#include <vector>

struct PafLine {
  std::string query, target;
  long long qStart, qEnd, tStart, tEnd;
  bool reverse;
  std::string cigar;  // empty without cg:Z
};

std::vector<PafLine> readPafLines(const std::string& text);

// A same-strand hit of a sequence on itself with a path: the runs of its aligned bases off
// the diagonal between the bases aligned on themselves, each from its first aligned base to
// its last (qEnd, tEnd one past). diagonalRuns: how many runs of bases on themselves there
// are, a gap with none off the diagonal joining two. Nothing, and 0, for any other hit.
std::vector<PafLine> partsOffTheDiagonal(const PafLine& hit, int& diagonalRuns);
