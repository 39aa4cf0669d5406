#include "paf_source.h"

#include <cstdio>
#include <vector>

namespace {

constexpr long long kGenome = 280000000;

uint64_t nextBits(uint64_t& state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

size_t writeRow(char* out, const char* target, long long q1, long long q2, char strand, long long t1, long long t2,
                long long matches, long long block) {
  long long targetLength = target[3] == '1' ? kGenome : 1000000;
  return static_cast<size_t>(std::snprintf(
      out, 512,
      "chr1\t%lld\t%lld\t%lld\t%c\t%s\t%lld\t%lld\t%lld\t%lld\t%lld\t0\tNM:i:%lld\tms:i:%lld\tAS:i:%lld\tnn:i:0\t"
      "tp:A:S\tcm:i:%lld\ts1:i:%lld\tde:f:%.4f\trl:i:0\tcg:Z:%lldM\n",
      kGenome, q1, q2, strand, target, targetLength, t1, t2, matches, block, block - matches, matches * 2,
      matches * 2 - (block - matches) * 4, block / 12, block / 2,
      static_cast<double>(block - matches) / static_cast<double>(block), block));
}

}  // namespace

bool writeBenchPaf(const std::string& path, int64_t bytes, uint64_t seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  int64_t written = 0;
  uint64_t state = seed;
  used += writeRow(buffer.data(), "chr1", 0, kGenome, '+', 0, kGenome, kGenome, kGenome);
  while (written + static_cast<int64_t>(used) < bytes) {
    if (buffer.size() - used < 1024) {
      std::fwrite(buffer.data(), 1, used, file);
      written += static_cast<int64_t>(used);
      used = 0;
    }
    uint64_t r = nextBits(state);
    long long len = 50 + static_cast<long long>((r >> 8) % 5000);
    long long a = static_cast<long long>((r >> 24) % static_cast<uint64_t>(kGenome - len));
    long long b = static_cast<long long>(nextBits(state) % static_cast<uint64_t>(kGenome - len));
    char strand = (r >> 60) & 1 ? '-' : '+';
    long long matches = len - static_cast<long long>((r >> 40) % (static_cast<uint64_t>(len) / 10 + 1));
    if ((r & 0xff) < 3) {  // a hit into a plasmid
      used += writeRow(buffer.data() + used, "plasmid", a, a + len, strand, 1000, 1000 + len, matches, len);
      continue;
    }
    used += writeRow(buffer.data() + used, "chr1", a, a + len, strand, b, b + len, matches, len);
    used += writeRow(buffer.data() + used, "chr1", b, b + len, strand, a, a + len, matches, len);
  }
  std::fwrite(buffer.data(), 1, used, file);
  bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}
