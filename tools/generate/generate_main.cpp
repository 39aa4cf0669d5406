// quelvar-generate: writes a synthetic, deterministic tandem list, one token a line, in
// position order, shaped like a repeat finder's output: short repeats common, long ones rare
// and clustered in a few duplication hot spots, and some positions shared by several pairs
// so that rows stack. The same arguments always give the same bytes, on every platform.
//
// quelvar-generate [--tokens N] [--axis N] [--seed N] [--noise F] [--scatter 1]
// --scatter 1 writes the same kind of pairs at random places instead of in position order,
// so that a table that fills up early still covers the whole axis.
// --human paf|fai|repeatmasker writes instead genome-scale data over GRCh38's layout
// (human_layout.h): a self-alignment PAF, its FASTA index, or RepeatMasker rows.
#include <getopt.h>

#include <algorithm>
#include <iterator>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli_tool.h"
#include "generated_random.h"
#include "human_layout.h"
#include "human_pairs.h"
#include "human_repeats.h"

namespace {

struct Options {
  long long tokens = 5000;
  long long axis = 300000000;
  unsigned long long seed = 1;
  double noise = 0.05;  // share of tokens too short to be stored
  bool scatter = false;
  const char* human = nullptr;  // paf, fai or repeatmasker: the human-sized layout's data
  long long lines = 5000;
  bool twins = true;
};

const char* const kHumanKinds[] = {"paf", "fai", "repeatmasker"};

// The human-sized layout's data on standard output.
bool writeHuman(const Options& options) {
  if (std::strcmp(options.human, "fai") == 0) return writeHumanFai(stdout);
  if (std::strcmp(options.human, "paf") == 0) return writeHumanPaf(stdout, options.lines, options.seed, options.twins);
  return writeHumanRepeats(stdout, options.lines, options.seed);
}

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

const char kUsage[] =
    "Usage: quelvar-generate [OPTIONS]\n"
    "Writes a synthetic tandem list on standard output, one pos/partner/len/orientation token\n"
    "a line; the same options always give the same bytes.\n"
    "\n"
    "  -t, --tokens N   how many tokens (default 5000; 0 to 10000000000)\n"
    "  -a, --axis N     positions run from 0 to N-1 (default 300000000; 1000 to 2147483647)\n"
    "  -s, --seed N     seed of the generator (default 1)\n"
    "  -n, --noise F    share of tokens too short to be stored (default 0.05; 0 to 1)\n"
    "      --scatter 1  pairs at random places instead of in position order\n"
    "      --human KIND instead of a list, data over GRCh38's 24 chromosome names and lengths\n"
    "                   (3.1 Gb), for tests and benchmarks at genome scale: paf, a\n"
    "                   self-alignment with segmental-duplication hot spots; fai, the FASTA\n"
    "                   index that --all-sequences --fai reads; repeatmasker, a RepeatMasker\n"
    "                   .out of SINEs, LINEs, LTRs and simple repeats, as --annotation reads\n"
    "      --lines N    lines of paf, rows of repeatmasker (default 5000; 0 to 10000000000)\n"
    "      --twins 0|1  paf: each pair from both copies, as an aligner reports it (1, the\n"
    "                   default), or once (0: a line a pair)\n"
    "  -h, --help       show this help and exit\n"
    "  -V, --version    show the version and exit\n"
    "\n"
    "Exit status: 0 when every token was written, 1 when standard output could not be\n"
    "written, 2 for bad arguments.\n";

}  // namespace

int main(int argc, char** argv) {
  startCli("quelvar-generate");
  static const option kOptions[] = {
      {"tokens", required_argument, nullptr, 't'},
      {"axis", required_argument, nullptr, 'a'},
      {"seed", required_argument, nullptr, 's'},
      {"noise", required_argument, nullptr, 'n'},
      {"scatter", required_argument, nullptr, 'S'},
      {"human", required_argument, nullptr, 'H'},
      {"lines", required_argument, nullptr, 'L'},
      {"twins", required_argument, nullptr, 'W'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  Options options;
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, ":t:a:s:n:hV", kOptions, nullptr)) != -1;) {
    int64_t number = 0;
    switch (c) {
      case 't':
        if (!parseCliInteger(optarg, 0, 10000000000, number))
          return cliUsageError("--tokens wants a whole number from 0 to 10000000000, not '%s'", optarg);
        options.tokens = number;
        break;
      case 'a':
        if (!parseCliInteger(optarg, 1000, 2147483647, number))
          return cliUsageError("--axis wants a whole number from 1000 to 2147483647, not '%s'", optarg);
        options.axis = number;
        break;
      case 's':
        if (!parseCliInteger(optarg, 0, INT64_MAX, number))
          return cliUsageError("--seed wants a whole number from 0, not '%s'", optarg);
        options.seed = static_cast<unsigned long long>(number);
        break;
      case 'n':
        if (!parseCliNumber(optarg, 0, 1, options.noise))
          return cliUsageError("--noise wants a number from 0 to 1, not '%s'", optarg);
        break;
      case 'S':
        if (!parseCliInteger(optarg, 0, 1, number)) return cliUsageError("--scatter wants 0 or 1, not '%s'", optarg);
        options.scatter = number != 0;
        break;
      case 'H': {
        const char* const* kind = std::find_if(std::begin(kHumanKinds), std::end(kHumanKinds),
                                               [](const char* name) { return std::strcmp(name, optarg) == 0; });
        if (kind == std::end(kHumanKinds))
          return cliUsageError("--human wants paf, fai or repeatmasker, not '%s'", optarg);
        options.human = *kind;
        break;
      }
      case 'L':
        if (!parseCliInteger(optarg, 0, 10000000000, number))
          return cliUsageError("--lines wants a whole number from 0 to 10000000000, not '%s'", optarg);
        options.lines = number;
        break;
      case 'W':
        if (!parseCliInteger(optarg, 0, 1, number)) return cliUsageError("--twins wants 0 or 1, not '%s'", optarg);
        options.twins = number != 0;
        break;
      case 'h': return cliPrintHelp(kUsage);
      case 'V': return cliPrintVersion();
      default: return cliBadOption(c, argv);
    }
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  if (cliStreamWasClosed(1)) return cliCloseStdout() ? kExitOk : kExitFailed;
  if (options.human != nullptr) return writeHuman(options) && cliCloseStdout() ? kExitOk : kExitFailed;

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
    // Stop early when the reader has gone or the disk is full, instead of formatting on.
    if ((n & 0xFFFF) == 0xFFFF && std::ferror(stdout)) break;
  }
  return cliCloseStdout() ? kExitOk : kExitFailed;
}
