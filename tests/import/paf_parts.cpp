#include "paf_parts.h"

#include <cctype>
#include <sstream>

std::vector<PafLine> readPafLines(const std::string& text) {
  std::vector<PafLine> lines;
  std::istringstream in(text);
  for (std::string row; std::getline(in, row);) {
    std::istringstream fields(row);
    PafLine line;
    long long length;
    std::string strand, field;
    if (!(fields >> line.query >> length >> line.qStart >> line.qEnd >> strand >> line.target >> length >>
          line.tStart >> line.tEnd))
      continue;
    line.reverse = strand == "-";
    while (fields >> field)
      if (field.rfind("cg:Z:", 0) == 0) line.cigar = field.substr(5);
    lines.push_back(line);
  }
  return lines;
}

std::vector<PafLine> partsOffTheDiagonal(const PafLine& hit, int& diagonalRuns) {
  diagonalRuns = 0;
  std::vector<PafLine> parts;
  if (hit.cigar.empty() || hit.reverse || hit.query != hit.target) return parts;
  long long q = hit.qStart, t = hit.tStart;
  bool lastOnItself = false, partOpen = false;
  size_t at = 0;
  while (at < hit.cigar.size()) {
    long long count = 0;
    while (std::isdigit(static_cast<unsigned char>(hit.cigar[at]))) count = count * 10 + (hit.cigar[at++] - '0');
    char op = hit.cigar[at++];
    if (op == 'I') {
      q += count;
      continue;
    }
    if (op == 'D') {
      t += count;
      continue;
    }
    for (long long i = 0; i < count; ++i, ++q, ++t) {
      if (q == t) {
        if (!lastOnItself) ++diagonalRuns;
        lastOnItself = true;
        partOpen = false;
        continue;
      }
      if (!partOpen) parts.push_back(PafLine{hit.query, hit.target, q, q, t, t, false, ""});
      parts.back().qEnd = q + 1;
      parts.back().tEnd = t + 1;
      partOpen = true;
      lastOnItself = false;
    }
  }
  if (diagonalRuns == 0) parts.clear();
  return parts;
}
