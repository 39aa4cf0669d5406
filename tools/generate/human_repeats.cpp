#include "human_repeats.h"

#include <algorithm>

#include "generated_random.h"
#include "human_layout.h"

namespace {

struct RepeatKind {
  const char* name;
  const char* family;
  double share;       // of the rows
  double meanLength;  // of the fragment, in bases
};

const RepeatKind kKinds[] = {
    {"AluSx", "SINE/Alu", 0.16, 290},        {"AluY", "SINE/Alu", 0.08, 290},
    {"MIR", "SINE/MIR", 0.12, 150},          {"L1MB7", "LINE/L1", 0.18, 900},
    {"L2a", "LINE/L2", 0.09, 250},           {"THE1B", "LTR/ERVL-MaLR", 0.09, 350},
    {"MER5A", "DNA/hAT-Charlie", 0.07, 160}, {"(CA)n", "Simple_repeat", 0.11, 45},
    {"(TTAGGG)n", "Simple_repeat", 0.03, 60}, {"A-rich", "Low_complexity", 0.07, 50},
};

const RepeatKind& pickKind(Random& random) {
  double u = uniform(random);
  for (const RepeatKind& kind : kKinds) {
    if (u < kind.share) return kind;
    u -= kind.share;
  }
  return kKinds[0];
}

}  // namespace

void writeRepeatMaskerHeader(std::FILE* out) {
  std::fputs(
      "   SW  perc perc perc  query      position in query           matching       repeat              "
      "position in  repeat\nscore  div. del. ins.  sequence    begin     end    (left)    repeat         "
      "class/family         begin  end (left)   ID\n\n",
      out);
}

void writeRepeatMaskerRow(std::FILE* out, int score, const char* sequence, int64_t begin, int64_t end, int64_t left,
                          bool complement, const char* repeat, const char* family, int64_t id) {
  std::fprintf(out, "%5d  %4.1f %4.1f %4.1f  %-10s %9lld %9lld (%lld) %c  %-14s %-20s %5d %5lld (%d) %7lld\n", score,
               10.0, 1.5, 0.7, sequence, static_cast<long long>(begin), static_cast<long long>(end),
               static_cast<long long>(left), complement ? 'C' : '+', repeat, family, 1,
               static_cast<long long>(end - begin + 1), 0, static_cast<long long>(id));
}

bool writeHumanRepeats(std::FILE* out, int64_t rows, uint64_t seed) {
  Random random{seed};
  writeRepeatMaskerHeader(out);
  const double genome = static_cast<double>(humanGenomeLength());
  int64_t id = 0;
  double owed = 0;  // rows due so far, so the chromosomes share them by length to the last row
  for (int s = 0; s < kHumanSequences; ++s) {
    const HumanSequence& chromosome = kHumanLayout[s];
    owed += static_cast<double>(rows) * static_cast<double>(chromosome.length) / genome;
    int64_t here = std::min<int64_t>(static_cast<int64_t>(owed + 0.5), rows) - id;
    // One row in each of here equal stretches, at a random place in it: in order, and the
    // last one still inside the chromosome.
    double stretch = static_cast<double>(chromosome.length) / static_cast<double>(std::max<int64_t>(here, 1));
    for (int64_t i = 0; i < here; ++i) {
      const RepeatKind& kind = pickKind(random);
      int64_t length = 10 + static_cast<int64_t>(exponential(random, kind.meanLength));
      int64_t begin = static_cast<int64_t>((static_cast<double>(i) + uniform(random)) * stretch);
      int64_t end = std::min<int64_t>(begin + length, chromosome.length);
      writeRepeatMaskerRow(out, 200 + static_cast<int>(below(random, 5000)), chromosome.name, begin + 1, end,
                           chromosome.length - end, nextBits(random) & 1, kind.name, kind.family, ++id);
    }
    if (std::ferror(out)) return false;
  }
  return std::ferror(out) == 0;
}
