#include "bedpe_source.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

uint64_t nextBits(uint64_t& state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

char* put(char* out, const char* text) {
  size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return out + n;
}

char* putNumber(char* out, int64_t value) {
  return out + std::snprintf(out, 24, "%lld", static_cast<long long>(value));
}

}  // namespace

bool writeBenchBedpe(const std::string& path, int64_t lines, uint64_t seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  uint64_t state = seed;
  static const char* const strands[] = {"+", "-"};
  used += static_cast<size_t>(put(buffer.data(), "#chrom1\tstart1\tend1\tchrom2\tstart2\tend2\tname\tscore\tstrand1\tstrand2\n") - buffer.data());
  for (int64_t i = 0; i < lines; ++i) {
    if (buffer.size() - used < 256) {
      std::fwrite(buffer.data(), 1, used, file);
      used = 0;
    }
    uint64_t r = nextBits(state);
    int kind = static_cast<int>(r % 100);  // 90 one-chromosome, 5 across, 3 other, 2 unplaced
    const char* chrom1 = (kind >= 95 && kind < 98) ? "chr2" : "chr1";
    const char* chrom2 = (kind >= 90 && kind < 98) ? "chr2" : "chr1";
    int64_t start1 = static_cast<int64_t>((r >> 8) % 299000000);
    int64_t start2 = static_cast<int64_t>(nextBits(state) % 299000000);
    int64_t len = 11 + static_cast<int64_t>((r >> 40) % 5000);
    char* p = buffer.data() + used;
    p = put(p, chrom1);
    *p++ = '\t';
    if (kind >= 98) {
      p = put(p, "-1\t-1\t");
    } else {
      p = putNumber(p, start1);
      *p++ = '\t';
      p = putNumber(p, start1 + len);
      *p++ = '\t';
    }
    p = put(p, chrom2);
    *p++ = '\t';
    p = putNumber(p, start2);
    *p++ = '\t';
    p = putNumber(p, start2 + len);
    p = put(p, "\tsv");
    p = putNumber(p, i);
    p = put(p, "\t60\t");
    p = put(p, strands[(r >> 20) & 1]);
    *p++ = '\t';
    p = put(p, strands[(r >> 21) & 1]);
    *p++ = '\n';
    used = static_cast<size_t>(p - buffer.data());
  }
  std::fwrite(buffer.data(), 1, used, file);
  bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}
