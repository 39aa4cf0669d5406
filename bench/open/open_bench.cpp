// open_bench [--megabytes N] [--runs N]: opens a generated minimap2-like self-alignment PAF
// with quelvar-summary (which loads exactly as the viewer does), beside quelvar-import
// converting it and quelvar-summary loading the list that makes, checks that both ways
// give the same summary, and prints times, ratios and peak memory. Run by hand; ctest runs
// it only tiny, as a smoke test.
#include <cstdio>
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
    "Opens a generated self-alignment PAF with quelvar-summary, beside quelvar-import and the\n"
    "load of its list, and prints times, ratios and peak memory.\n"
    "\n"
    "      --megabytes N  size of the generated PAF (default 1000)\n"
    "      --runs N       runs of each, the best is kept (default 2)\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n";

std::string wholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Step {
  const char* label;
  TimedRun run;
};

// Times the three steps on one file; false when one failed or the summaries differ.
bool benchFile(const std::string& dir, const std::string& paf, int runs, bool print) {
  std::string list = dir + "/list.txt";
  Step steps[] = {
      {"quelvar-import FILE", bestOf({QUELVAR_IMPORT_BIN, paf}, list, runs)},
      {"quelvar-summary LIST", bestOf({QUELVAR_SUMMARY_BIN, list}, dir + "/via-list.txt", runs)},
      {"quelvar-summary FILE", bestOf({QUELVAR_SUMMARY_BIN, paf}, dir + "/direct.txt", runs)},
  };
  bool same = wholeFile(dir + "/via-list.txt") == wholeFile(dir + "/direct.txt");
  double megabytes = static_cast<double>(std::filesystem::file_size(paf)) / 1e6;
  if (print) {
    std::printf("  %-22s %8s %8s %12s\n", "", "seconds", "MB/s", "peak memory");
    for (const Step& step : steps) {
      if (!step.run.ok) {
        std::printf("  %s failed\n", step.label);
        continue;
      }
      std::printf("  %-22s %8.2f %8.0f %8.1f MiB\n", step.label, step.run.seconds, megabytes / step.run.seconds,
                  static_cast<double>(step.run.peakKib) / 1024.0);
    }
    double twoSteps = steps[0].run.seconds + steps[1].run.seconds;
    std::printf("  opening the PAF directly takes %.2fx the importer's time, %.2fx import then load\n",
                steps[2].run.seconds / steps[0].run.seconds, steps[2].run.seconds / twoSteps);
    std::printf("  summary, the same both ways: %s", same ? "yes\n" : "NO\n");
    std::printf("%s", wholeFile(dir + "/direct.txt").c_str());
  } else {
    std::printf("  at a tenth the size, quelvar-summary FILE peaks at %.1f MiB\n",
                static_cast<double>(steps[2].run.peakKib) / 1024.0);
  }
  return same && steps[0].run.ok && steps[1].run.ok && steps[2].run.ok;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("open_bench");
  BenchCount megabytesOption{"megabytes", 1, 100000, 1000}, runsOption{"runs", 1, 1000, 2};
  int stop = readBenchOptions(argc, argv, kUsage, megabytesOption, runsOption);
  if (stop != kCliGoOn) return stop;
  long long megabytes = static_cast<long long>(megabytesOption.value);
  int runs = static_cast<int>(runsOption.value);

  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-open-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  std::string paf = dir + "/self.paf";
  bool ok = writeBenchPaf(paf, megabytes * 1000000, 11);
  if (ok) {
    std::printf("opening a %lld MB self-alignment PAF, best of %d run%s\n", megabytes, runs, runs == 1 ? "" : "s");
    ok = benchFile(dir, paf, runs, true);
    ok = writeBenchPaf(paf, megabytes * 100000, 11) && benchFile(dir, paf, 1, false) && ok;
  } else {
    std::fprintf(stderr, "open_bench: cannot write the PAF under %s\n", dir.c_str());
  }
  std::filesystem::remove_all(dir);
  return ok ? 0 : 1;
}
