#include "bench_options.h"

#include <getopt.h>

#include "cli_tool.h"

int readBenchOptions(int argc, char** argv, const char* usage, BenchCount& first, BenchCount& second) {
  const option options[] = {
      {first.name, required_argument, nullptr, 1},
      {second.name, required_argument, nullptr, 2},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, ":hV", options, nullptr)) != -1;) {
    if (c == 'h') return cliPrintHelp(usage);
    if (c == 'V') return cliPrintVersion();
    if (c != 1 && c != 2) return cliBadOption(c, argv);
    BenchCount& count = c == 1 ? first : second;
    if (!parseCliInteger(optarg, count.low, count.high, count.value))
      return cliUsageError("--%s wants a whole number from %lld to %lld, not '%s'", count.name,
                           static_cast<long long>(count.low), static_cast<long long>(count.high), optarg);
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  return kCliGoOn;
}
