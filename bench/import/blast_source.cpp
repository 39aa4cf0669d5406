#include "blast_source.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace {

uint64_t nextBits(uint64_t& state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

bool writeBenchBlast(const std::string& path, int64_t lines, uint64_t seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  uint64_t state = seed;
  int64_t pending = -1;  // the line whose mirror comes next
  int64_t q1 = 0, q2 = 0, s1 = 0, s2 = 0, thousandths = 0;
  const char* names[2] = {"chr1", "chr1"};
  for (int64_t i = 0; i < lines; ++i) {
    if (buffer.size() - used < 256) {
      std::fwrite(buffer.data(), 1, used, file);
      used = 0;
    }
    if (pending >= 0) {
      // The same repeat seen from its other copy.
      std::swap(names[0], names[1]);
      int64_t lowS = s1 < s2 ? s1 : s2, highS = s1 < s2 ? s2 : s1;
      bool reverse = s1 > s2;
      int64_t nq1 = lowS, nq2 = highS;
      s1 = reverse ? q2 : q1;
      s2 = reverse ? q1 : q2;
      q1 = nq1;
      q2 = nq2;
      pending = -1;
    } else {
      uint64_t r = nextBits(state);
      int kind = static_cast<int>(r % 100);  // 90 one chromosome, 5 across, 4 another, 1 on itself
      names[0] = kind >= 94 && kind < 99 ? "chr2" : "chr1";
      names[1] = kind >= 90 && kind < 99 ? "chr2" : "chr1";
      int64_t len = 50 + static_cast<int64_t>((r >> 8) % 5000);
      q1 = 1 + static_cast<int64_t>((r >> 24) % 299000000);
      q2 = q1 + len - 1;
      int64_t start = 1 + static_cast<int64_t>(nextBits(state) % 299000000);
      bool reverse = (r >> 60) & 1;
      s1 = reverse ? start + len - 1 : start;
      s2 = reverse ? start : start + len - 1;
      if (kind == 99) {
        s1 = q1;
        s2 = q2;
      }
      // Three decimals, never ending in 5: two-decimal rounding is then the same in awk.
      thousandths = 80000 + static_cast<int64_t>((r >> 40) % 20001);
      if (thousandths % 10 == 5) --thousandths;
      if (kind != 99) pending = i;
    }
    int64_t len = q2 - q1 + 1;
    used += static_cast<size_t>(std::snprintf(
        buffer.data() + used, 256, "%s\t%s\t%lld.%03lld\t%lld\t%lld\t0\t%lld\t%lld\t%lld\t%lld\t%s\t%lld\n", names[0],
        names[1], static_cast<long long>(thousandths / 1000), static_cast<long long>(thousandths % 1000),
        static_cast<long long>(len), static_cast<long long>(len * (100000 - thousandths) / 100000),
        static_cast<long long>(q1), static_cast<long long>(q2), static_cast<long long>(s1),
        static_cast<long long>(s2), len > 200 ? "0.0" : "3.2e-45", static_cast<long long>(len * 18 / 10)));
  }
  std::fwrite(buffer.data(), 1, used, file);
  bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}
