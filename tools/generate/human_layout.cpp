#include "human_layout.h"

#include <cstring>

#include "generated_random.h"

const HumanSequence kHumanLayout[kHumanSequences] = {
    {"chr1", 248956422}, {"chr2", 242193529}, {"chr3", 198295559}, {"chr4", 190214555}, {"chr5", 181538259},
    {"chr6", 170805979}, {"chr7", 159345973}, {"chr8", 145138636}, {"chr9", 138394717}, {"chr10", 133797422},
    {"chr11", 135086622}, {"chr12", 133275309}, {"chr13", 114364328}, {"chr14", 107043718},
    {"chr15", 101991189}, {"chr16", 90338345}, {"chr17", 83257441}, {"chr18", 80373285}, {"chr19", 58617616},
    {"chr20", 64444167}, {"chr21", 46709983}, {"chr22", 50818468}, {"chrX", 156040895}, {"chrY", 57227415},
};

int64_t humanGenomeLength() {
  int64_t total = 0;
  for (const HumanSequence& s : kHumanLayout) total += s.length;
  return total;
}

int humanSequenceByLength(Random& random) {
  int64_t at = below(random, humanGenomeLength());
  int i = 0;
  while (i + 1 < kHumanSequences && at >= kHumanLayout[i].length) at -= kHumanLayout[i++].length;
  return i;
}

bool writeHumanFai(std::FILE* out) {
  long long offset = 0;
  for (const HumanSequence& s : kHumanLayout) {
    offset += static_cast<long long>(std::strlen(s.name)) + 2;  // ">name\n"
    std::fprintf(out, "%s\t%lld\t%lld\t60\t61\n", s.name, static_cast<long long>(s.length), offset);
    offset += s.length + (s.length + 59) / 60;
  }
  return std::ferror(out) == 0;
}
