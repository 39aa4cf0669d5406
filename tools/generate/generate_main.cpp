// quelvar-generate: writes a synthetic, deterministic tandem list, one token a line, in
// position order, shaped like a repeat finder's output: short repeats common, long ones rare
// and clustered in a few duplication hot spots, and some positions shared by several pairs
// so that rows stack. The same arguments always give the same bytes, on every platform.
//
// quelvar-generate [--tokens N] [--axis N] [--seed N] [--noise F] [--scatter 1]
// --scatter 1 writes the same kind of pairs at random places instead of in position order,
// so that a table that fills up early still covers the whole axis.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Options {
  long long tokens = 5000;
  long long axis = 300000000;
  unsigned long long seed = 1;
  double noise = 0.05;  // share of tokens too short to be stored
  bool scatter = false;
};

struct Random {
  uint64_t state;
};

uint64_t nextBits(Random& random) {  // splitmix64
  uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double uniform(Random& random) { return static_cast<double>(nextBits(random) >> 11) * 0x1.0p-53; }

double exponential(Random& random, double mean) { return -mean * std::log(1.0 - uniform(random)); }

constexpr int kHotSpots = 5;

// Hot spots sit at fixed fractions of the axis and cover 1% of it each.
bool inHotSpot(long long pos, long long axis) {
  static const double centres[kHotSpots] = {0.08, 0.27, 0.45, 0.62, 0.91};
  for (double centre : centres)
    if (std::fabs(static_cast<double>(pos) / static_cast<double>(axis) - centre) < 0.005) return true;
  return false;
}

long long repeatLength(Random& random, bool hot) {
  double u = uniform(random);
  if (u < (hot ? 0.25 : 0.01)) return 5000 + static_cast<long long>(exponential(random, 20000));
  if (u < (hot ? 0.5 : 0.12)) return 200 + static_cast<long long>(exponential(random, 1200));
  return 11 + static_cast<long long>(exponential(random, 40));
}

bool parseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= 0;
}

int usage(const char* why) {
  std::fprintf(stderr, "quelvar-generate: %s\nusage: quelvar-generate [--tokens N] [--axis N] [--seed N] [--noise F] [--scatter 1]\n", why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    double value = 0;
    if (i + 1 >= argc || !parseNumber(argv[i + 1], value)) return usage("each option takes a number");
    const char* name = argv[i++];
    if (std::strcmp(name, "--tokens") == 0) options.tokens = static_cast<long long>(value);
    else if (std::strcmp(name, "--axis") == 0) options.axis = static_cast<long long>(value);
    else if (std::strcmp(name, "--seed") == 0) options.seed = static_cast<unsigned long long>(value);
    else if (std::strcmp(name, "--noise") == 0 && value <= 1) options.noise = value;
    else if (std::strcmp(name, "--scatter") == 0) options.scatter = value != 0;
    else return usage("unknown option or value out of range");
  }
  if (options.axis < 1000 || options.axis > 2147483647) return usage("--axis must lie in 1000 to 2147483647");

  Random random{options.seed};
  const double meanGap = static_cast<double>(options.axis) / static_cast<double>(options.tokens + 1);
  long long pos = 0;
  long long recent[16] = {};  // positions of recent pairs, reused so that rows stack
  for (long long n = 0; n < options.tokens; ++n) {
    bool hot = inHotSpot(pos, options.axis);
    pos += static_cast<long long>(exponential(random, hot ? meanGap / 4 : meanGap * 1.05));
    if (pos >= options.axis) pos = pos % options.axis;
    if (options.scatter) pos = static_cast<long long>(uniform(random) * static_cast<double>(options.axis));
    long long first = pos;
    if (n > 16 && uniform(random) < 0.1) first = recent[nextBits(random) % 16];
    long long len = repeatLength(random, hot);
    if (uniform(random) < options.noise) len = 1 + static_cast<long long>(nextBits(random) % 10);
    // Most copies sit right after their original (tandem); long ones may land far away.
    long long partner = first + len + static_cast<long long>(exponential(random, 50));
    if (len >= 5000 && uniform(random) < 0.5)
      partner = first + static_cast<long long>(uniform(random) * static_cast<double>(options.axis) * 0.2);
    if (partner >= options.axis) partner = options.axis - 1;
    recent[n % 16] = uniform(random) < 0.5 ? first : partner;
    std::printf("%lld/%lld/%lld/%d\n", first, partner, len, static_cast<int>(nextBits(random) & 1));
  }
  return 0;
}
