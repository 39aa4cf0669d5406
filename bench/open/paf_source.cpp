#include "paf_source.h"

#include <cstdio>
#include <vector>

namespace {

struct Chromosome {
  const char* name;
  long long length;
};

// GRCh38's primary chromosomes: 3,088,269,832 bases.
constexpr Chromosome kGenome[] = {
    {"chr1", 248956422}, {"chr2", 242193529}, {"chr3", 198295559}, {"chr4", 190214555},  {"chr5", 181538259},
    {"chr6", 170805979}, {"chr7", 159345973}, {"chr8", 145138636}, {"chr9", 138394717},  {"chr10", 133797422},
    {"chr11", 135086622}, {"chr12", 133275309}, {"chr13", 114364328}, {"chr14", 107043718}, {"chr15", 101991189},
    {"chr16", 90338345}, {"chr17", 83257441}, {"chr18", 80373285}, {"chr19", 58617616},  {"chr20", 64444167},
    {"chr21", 46709983}, {"chr22", 50818468}, {"chrX", 156040895}, {"chrY", 57227415},
};
constexpr int kChromosomes = static_cast<int>(sizeof kGenome / sizeof kGenome[0]);

uint64_t nextBits(uint64_t& state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

size_t writeRow(char* out, const Chromosome& query, long long q1, long long q2, char strand,
                const Chromosome& target, long long t1, long long t2, long long matches, long long block) {
  return static_cast<size_t>(std::snprintf(
      out, 512,
      "%s\t%lld\t%lld\t%lld\t%c\t%s\t%lld\t%lld\t%lld\t%lld\t%lld\t0\tNM:i:%lld\tms:i:%lld\tAS:i:%lld\tnn:i:0\t"
      "tp:A:S\tcm:i:%lld\ts1:i:%lld\tde:f:%.4f\trl:i:0\tcg:Z:%lldM\n",
      query.name, query.length, q1, q2, strand, target.name, target.length, t1, t2, matches, block,
      block - matches, matches * 2, matches * 2 - (block - matches) * 4, block / 12, block / 2,
      static_cast<double>(block - matches) / static_cast<double>(block), block));
}

// A chromosome picked in proportion to its length.
const Chromosome& pickChromosome(uint64_t bits) {
  long long at = static_cast<long long>(bits % 3088269832ull);
  for (const Chromosome& chromosome : kGenome) {
    if (at < chromosome.length) return chromosome;
    at -= chromosome.length;
  }
  return kGenome[kChromosomes - 1];
}

}  // namespace

bool writeBenchPaf(const std::string& path, int64_t lines, uint64_t seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  int64_t written = 0;
  uint64_t state = seed;
  auto room = [&]() {
    if (buffer.size() - used >= 1024) return;
    std::fwrite(buffer.data(), 1, used, file);
    used = 0;
  };
  for (const Chromosome& chromosome : kGenome) {
    room();
    used += writeRow(buffer.data() + used, chromosome, 0, chromosome.length, '+', chromosome, 0, chromosome.length,
                     chromosome.length, chromosome.length);
    ++written;
  }
  while (written < lines) {
    room();
    uint64_t r = nextBits(state);
    const Chromosome& one = pickChromosome(nextBits(state));
    // Most repeats lie within a chromosome, as segmental duplications mostly do.
    const Chromosome& other = (r & 0xff) < 40 ? pickChromosome(nextBits(state)) : one;
    long long len = 50 + static_cast<long long>((r >> 8) % 5000);
    long long a = static_cast<long long>((r >> 24) % static_cast<uint64_t>(one.length - len));
    long long b = static_cast<long long>(nextBits(state) % static_cast<uint64_t>(other.length - len));
    char strand = (r >> 60) & 1 ? '-' : '+';
    long long matches = len - static_cast<long long>((r >> 40) % (static_cast<uint64_t>(len) / 10 + 1));
    used += writeRow(buffer.data() + used, one, a, a + len, strand, other, b, b + len, matches, len);
    used += writeRow(buffer.data() + used, other, b, b + len, strand, one, a, a + len, matches, len);
    written += 2;
  }
  std::fwrite(buffer.data(), 1, used, file);
  bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}
