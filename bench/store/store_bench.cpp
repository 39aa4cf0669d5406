// store_bench [--pairs N] [--bound N]: writes a list of N pairs over a 3.1 Gb axis to a
// temporary file, opens it as a named file (the pair store, as the viewer does) and prints
// the memory a pair costs: at the peak of the load and once loaded, from /proc/self/status.
// With --bound the load keeps the longest N of them, as --max-pairs does. Run by hand;
// ctest runs it tiny.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "bar_records.h"
#include "bench_options.h"
#include "cli_tool.h"
#include "pair_file.h"
#include "tandem_loader.h"

namespace {

const char kUsage[] =
    "Usage: store_bench [OPTIONS]\n"
    "Opens a generated list of pairs over a 3.1 Gb axis as a named file and prints the bytes\n"
    "a pair costs at the load's peak and once loaded.\n"
    "\n"
    "      --pairs N  pairs in the list (default 10000000)\n"
    "      --bound N  pairs held, the longest (default: all)\n"
    "      --help     show this help and exit\n"
    "      --version  show the version and exit\n";

// A field of /proc/self/status in bytes, 0 when absent.
int64_t statusBytes(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long long kilobytes = 0;
  size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr)
    if (std::strncmp(line, field, length) == 0 && line[length] == ':') kilobytes = std::atoll(line + length + 1);
  std::fclose(status);
  return kilobytes * 1024;
}

bool writeList(const std::string& path, int64_t pairs) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) return false;
  uint64_t state = 0x9E3779B97F4A7C15ull;
  auto next = [&state]() {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return state;
  };
  for (int64_t i = 0; i < pairs; ++i) {
    uint64_t first = next() % 3100000000ull, second = next() % 3100000000ull, len = 11 + next() % 20000;
    std::fprintf(out, "%llu/%llu/%llu/%llu\n", static_cast<unsigned long long>(first),
                 static_cast<unsigned long long>(second), static_cast<unsigned long long>(len),
                 static_cast<unsigned long long>(next() & 1));
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("store_bench");
  BenchCount pairs{"pairs", 1, kStoreSlotPairs, 10000000};
  BenchCount bound{"bound", 0, kStoreSlotPairs, 0};
  int stop = readBenchOptions(argc, argv, kUsage, pairs, bound);
  if (stop != kCliGoOn) return stop;
  char folder[] = "/tmp/store_bench.XXXXXX";
  if (mkdtemp(folder) == nullptr) return kExitFailed;
  std::string path = std::string(folder) + "/pairs.txt";
  bool written = writeList(path, pairs.value);
  int64_t before = statusBytes("VmRSS");
  PairFileOptions options;
  options.named = true;
  options.maxPairs = bound.value;
  sendLoadSummaryTo(stderr);
  int error = written ? loadPairFile(path.c_str(), options, 1) : EIO;
  int64_t peak = statusBytes("VmHWM"), loaded = statusBytes("VmRSS");
  std::remove(path.c_str());
  rmdir(folder);
  if (error != 0) {
    cliError("the list could not be written or read");
    return kExitFailed;
  }
  double held = static_cast<double>(barPairCount());
  std::printf("pairs offered %lld, held %.0f\n", static_cast<long long>(pairs.value), held);
  std::printf("bytes a held pair: %.1f at the load's peak, %.1f loaded (%zu in the store)\n",
              static_cast<double>(peak - before) / held, static_cast<double>(loaded - before) / held,
              sizeof(StoredPair));
  return kExitOk;
}
