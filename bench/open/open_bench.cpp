// open_bench [--lines N] [--runs N]: opens a generated minimap2-like self-alignment PAF over
// GRCh38's 24 chromosomes laid end to end with quelvar-summary --all-sequences (which loads
// exactly as the viewer does), beside one mawk pass that splits the same lines, and prints
// the times, their ratio and the peak memory a pair. At a tenth the size it also converts the
// file with quelvar-import and loads the list that makes, and checks that both ways give the
// same summary. Run by hand; ctest runs it only tiny, as a smoke test.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_options.h"
#include "cli_tool.h"
#include "paf_source.h"
#include "timed_run.h"

namespace {

const char kUsage[] =
    "Usage: open_bench [OPTIONS]\n"
    "Opens a generated self-alignment PAF over a human-sized genome with quelvar-summary\n"
    "--all-sequences, beside one mawk pass over its lines, and prints times, their ratio and\n"
    "the peak memory a pair.\n"
    "\n"
    "      --lines N      lines of the generated PAF (default 10000000)\n"
    "      --runs N       runs of each, the best is kept (default 2)\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n";

std::string wholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The pairs a summary counts: its slots are two a pair, slot 0 unused.
long long pairsOfSummary(const std::string& summary) {
  const char kCount[] = "Count tandem load - ";
  size_t at = summary.find(kCount);
  if (at == std::string::npos) return 0;
  return (std::atoll(summary.c_str() + at + sizeof kCount - 1) - 1) / 2;
}

void printRun(const char* label, const TimedRun& run, double megabytes) {
  if (!run.ok) {
    std::printf("  %-38s failed\n", label);
    return;
  }
  std::printf("  %-38s %8.2f %8.0f %8.1f MiB\n", label, run.seconds, megabytes / run.seconds,
              static_cast<double>(run.peakKib) / 1024.0);
}

// Times the open against mawk; false when one failed.
bool benchOpen(const std::string& dir, const std::string& paf, int runs) {
  TimedRun mawk = bestOf({"mawk", "{n+=NF} END{print n}", paf}, dir + "/mawk.txt", runs);
  TimedRun open = bestOf({QUELVAR_SUMMARY_BIN, "--all-sequences", paf}, dir + "/direct.txt", runs);
  double megabytes = static_cast<double>(std::filesystem::file_size(paf)) / 1e6;
  std::printf("  %-38s %8s %8s %12s\n", "", "seconds", "MB/s", "peak memory");
  printRun("mawk '{n+=NF} END{print n}' FILE", mawk, megabytes);
  printRun("quelvar-summary --all-sequences FILE", open, megabytes);
  if (!mawk.ok || !open.ok) return false;
  long long pairs = pairsOfSummary(wholeFile(dir + "/direct.txt"));
  std::printf("  opening takes %.2fx mawk's pass; %lld pairs, %.1f bytes of peak memory a pair\n",
              open.seconds / mawk.seconds, pairs,
              pairs > 0 ? static_cast<double>(open.peakKib) * 1024.0 / static_cast<double>(pairs) : 0.0);
  std::printf("%s", wholeFile(dir + "/direct.txt").c_str());
  return true;
}

// Opening the PAF directly and importing it first give the same summary.
bool benchBothWays(const std::string& dir, const std::string& paf) {
  std::string list = dir + "/list.txt";
  bool ok = timeCommand({QUELVAR_IMPORT_BIN, "--all-sequences", paf}, "/dev/null", list).ok &&
            timeCommand({QUELVAR_SUMMARY_BIN, list}, "/dev/null", dir + "/via-list.txt").ok &&
            timeCommand({QUELVAR_SUMMARY_BIN, "--all-sequences", paf}, "/dev/null", dir + "/direct.txt").ok;
  bool same = ok && wholeFile(dir + "/via-list.txt") == wholeFile(dir + "/direct.txt");
  std::printf("  at a tenth the size, importing first gives the same summary: %s\n", same ? "yes" : "NO");
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("open_bench");
  BenchCount linesOption{"lines", 100, 1000000000, 10000000}, runsOption{"runs", 1, 1000, 2};
  int stop = readBenchOptions(argc, argv, kUsage, linesOption, runsOption);
  if (stop != kCliGoOn) return stop;
  int64_t lines = linesOption.value;
  int runs = static_cast<int>(runsOption.value);

  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-open-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  std::string paf = dir + "/self.paf";
  bool ok = writeBenchPaf(paf, lines, 11);
  if (ok) {
    std::printf("opening %lld lines of a self-alignment PAF over GRCh38's 24 chromosomes, best of %d run%s\n",
                static_cast<long long>(lines), runs, runs == 1 ? "" : "s");
    ok = benchOpen(dir, paf, runs);
    ok = writeBenchPaf(paf, lines / 10, 11) && benchBothWays(dir, paf) && ok;
  } else {
    std::fprintf(stderr, "open_bench: cannot write the PAF under %s\n", dir.c_str());
  }
  std::filesystem::remove_all(dir);
  return ok ? 0 : 1;
}
