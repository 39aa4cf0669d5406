// genome_bench: the figures at genome scale, side by side in one run. The data are generated
// over GRCh38's 24 chromosome lengths (no package holds a human genome's pairs or repeats):
// self-alignment PAFs of 50,000, 500,000, 5,000,000 and 10,000,000 pairs (a line a pair) and
// 5,000,000 RepeatMasker rows.
//   - each size opened in its own process as the viewer opens a named file (--all-sequences
//     --fai), then frames of the overview (O: every pair whole) and of a close view (a hot
//     spot on chr1), camera still and turning, and the ratio of each size's frame to the smallest's;
//   - the lanes of the RepeatMasker rows: load time and peak memory alone, and the frame with
//     them against without, over the largest size;
//   - opening a 10,000,000-line self-alignment (each pair from both copies) with
//     quelvar-summary against one mawk pass splitting its lines, peak memory a pair;
//   - quelvar-snapshot --fit of the largest size at 3840x2160, beside the load alone.
// Run by hand; ctest runs it only tiny, as a smoke test.
#include <getopt.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_tool.h"
#include "genome_frames.h"
#include "human_layout.h"
#include "human_pairs.h"
#include "human_repeats.h"
#include "timed_run.h"

namespace {

const char kUsage[] =
    "Usage: genome_bench [OPTIONS]\n"
    "Generates pairs and RepeatMasker rows over GRCh38's 24 chromosome lengths, opens them\n"
    "as the viewer does and prints frame times, load times, peak memory and their ratios.\n"
    "\n"
    "      --pairs N   one size only (default: 50000, 500000, 5000000 and 10000000)\n"
    "      --lanes N   RepeatMasker rows shown as lanes over the largest size (default\n"
    "                  5000000; 0: none)\n"
    "      --open N    lines of the self-alignment opened against mawk (default 10000000;\n"
    "                  0: none); also the snapshot's pairs are the largest size's\n"
    "      --frames N  frames a round, three rounds a figure (default 4)\n"
    "      --help      show this help and exit\n"
    "      --version   show the version and exit\n";

struct Options {
  std::vector<int64_t> sizes{50000, 500000, 5000000, 10000000};
  int64_t lanes = 5000000;
  int64_t open = 10000000;
  int frames = 4;
  std::string work;  // set: run one size here, in this process (genome_frames.h)
};

// Reads the options; kCliGoOn to run, else the exit code.
int readOptions(int argc, char** argv, Options& options) {
  const option table[] = {
      {"pairs", required_argument, nullptr, 'p'}, {"lanes", required_argument, nullptr, 'l'},
      {"open", required_argument, nullptr, 'o'},  {"frames", required_argument, nullptr, 'f'},
      {"work", required_argument, nullptr, 'w'},  {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},     {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  for (int c; (c = getopt_long(argc, argv, ":hV", table, nullptr)) != -1;) {
    int64_t number = 0;
    const char* name = c == 'p' ? "pairs" : c == 'l' ? "lanes" : c == 'o' ? "open" : "frames";
    int64_t low = c == 'f' ? 1 : 0;  // --pairs 0: the lanes' load alone, in its own process
    switch (c) {
      case 'h': return cliPrintHelp(kUsage);
      case 'V': return cliPrintVersion();
      case 'w': options.work = optarg; continue;
      case 'p':
      case 'l':
      case 'o':
      case 'f':
        if (!parseCliInteger(optarg, low, 100000000, number))
          return cliUsageError("--%s wants a whole number from %lld to 100000000, not '%s'", name,
                               static_cast<long long>(low), optarg);
        break;
      default: return cliBadOption(c, argv);
    }
    if (c == 'p') options.sizes = {number};
    if (c == 'l') options.lanes = number;
    if (c == 'o') options.open = number;
    if (c == 'f') options.frames = static_cast<int>(number);
  }
  if (optind < argc) return cliUsageError("unexpected argument '%s'", argv[optind]);
  return kCliGoOn;
}

template <typename Write>
bool writeFile(const std::string& path, Write write) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  bool written = write(out);
  return std::fclose(out) == 0 && written;
}

std::string wholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string selfPath() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

// One size in its own process; false (said) when it failed.
bool runSize(const Options& options, int64_t pairs, bool lanes, GenomeFigures& figures) {
  std::vector<std::string> argv{selfPath(), "--work", options.work, "--pairs", std::to_string(pairs),
                                "--frames", std::to_string(options.frames), "--lanes", lanes ? "1" : "0"};
  if (pairs == 0) argv[4] = "0";
  std::string out = options.work + "/result.txt";
  TimedRun run = timeCommand(argv, "/dev/null", out);
  if (run.ok && readGenomeFigures(wholeFile(out), figures)) return true;
  std::fprintf(stderr, "genome_bench: the run of %lld pairs failed; run '", static_cast<long long>(pairs));
  for (const std::string& arg : argv) std::fprintf(stderr, "%s ", arg.c_str());
  std::fprintf(stderr, "' to see why\n");
  return false;
}

double ratio(double a, double b) { return b > 0 ? a / b : 0; }

bool benchFrames(const Options& options) {
  std::vector<GenomeFigures> all;
  bool ok = true;
  for (size_t i = 0; i < options.sizes.size(); ++i) {
    int64_t pairs = options.sizes[i];
    bool largest = i + 1 == options.sizes.size();
    GenomeFigures figures;
    bool written = writeFile(pairsPath(options.work, pairs),
                             [&](std::FILE* out) { return writeHumanPaf(out, pairs, 26, false); });
    ok = written && runSize(options, pairs, largest && options.lanes > 0, figures) && ok;
    if (!largest) std::filesystem::remove(pairsPath(options.work, pairs));
    all.push_back(figures);
  }
  std::printf("\nframes at 992x573 (the viewer's window), ms a frame, mean of 3 rounds of %d\n", options.frames);
  std::printf("  %10s %8s %9s %9s %9s %9s %9s %10s %10s\n", "pairs", "load s", "B a pair", "overview", "turning",
              "close", "turning", "drawn ovw", "drawn cls");
  for (size_t i = 0; i < all.size(); ++i) {
    const GenomeFigures& f = all[i];
    std::printf("  %10lld %8.2f %9.0f %9.2f %9.2f %9.2f %9.2f %10lld %10lld\n",
                static_cast<long long>(options.sizes[i]), f.loadSeconds,
                f.peakKib * 1024 / static_cast<double>(options.sizes[i]), f.overview[0], f.overview[1], f.close[0],
                f.close[1], static_cast<long long>(f.drawn[0]), static_cast<long long>(f.drawn[1]));
  }
  const GenomeFigures& first = all.front();
  for (size_t i = 1; i < all.size(); ++i) {
    const GenomeFigures& f = all[i];
    std::printf("  %lld / %lld pairs: overview %.2fx turning %.2fx, close %.2fx turning %.2fx\n",
                static_cast<long long>(options.sizes[i]), static_cast<long long>(options.sizes.front()),
                ratio(f.overview[0], first.overview[0]), ratio(f.overview[1], first.overview[1]),
                ratio(f.close[0], first.close[0]), ratio(f.close[1], first.close[1]));
  }
  const GenomeFigures& last = all.back();
  if (options.lanes > 0 && last.lanesOff[0] > 0) {
    std::printf("  with %lld RepeatMasker rows as lanes over %lld pairs: overview %.2f against %.2f ms (%.3fx), "
                "close %.2f against %.2f ms (%.3fx)\n",
                static_cast<long long>(options.lanes), static_cast<long long>(options.sizes.back()), last.lanesOn[0],
                last.lanesOff[0], ratio(last.lanesOn[0], last.lanesOff[0]), last.lanesOn[1], last.lanesOff[1],
                ratio(last.lanesOn[1], last.lanesOff[1]));
  }
  return ok;
}

bool benchLanes(const Options& options) {
  GenomeFigures figures;
  if (!runSize(options, 0, true, figures)) return false;
  std::printf("lanes: %lld RepeatMasker rows (%.0f MB) load in %.2f s, peak memory %.0f MiB (%.0f bytes a row)\n",
              static_cast<long long>(options.lanes),
              static_cast<double>(std::filesystem::file_size(repeatsPath(options.work))) / 1e6, figures.loadSeconds,
              figures.peakKib / 1024, figures.peakKib * 1024 / static_cast<double>(options.lanes));
  return true;
}

// Opening a self-alignment of lines lines against one mawk pass splitting them.
bool benchOpen(const Options& options) {
  std::string paf = options.work + "/self.paf";
  if (!writeFile(paf, [&](std::FILE* out) { return writeHumanPaf(out, options.open, 27, true); })) return false;
  std::string mawk = "mawk";
  TimedRun split = bestOf({mawk, "-F\t", "{ n += NF } END { print n }", paf}, options.work + "/mawk.txt", 2);
  TimedRun open = bestOf({QUELVAR_SUMMARY_BIN, "--all-sequences", "--fai", layoutPath(options.work), paf},
                         options.work + "/summary.txt", 2);
  std::filesystem::remove(paf);
  if (!split.ok || !open.ok) {
    std::printf("open: %s failed\n", split.ok ? "quelvar-summary" : "mawk");
    return false;
  }
  double pairs = static_cast<double>(options.open) / 2;
  std::printf("open: %lld self-alignment lines (%.0f pairs): quelvar-summary %.2f s, %.0f MiB (%.0f bytes a pair); "
              "mawk %.2f s; %.2fx mawk\n",
              static_cast<long long>(options.open), pairs, open.seconds, static_cast<double>(open.peakKib) / 1024,
              static_cast<double>(open.peakKib) * 1024 / pairs, split.seconds, ratio(open.seconds, split.seconds));
  return true;
}

// quelvar-snapshot --fit of the largest size at 3840x2160, flat and in perspective, beside
// the load alone.
bool benchSnapshot(const Options& options) {
  int64_t pairs = options.sizes.back();
  std::string paf = pairsPath(options.work, pairs), fai = layoutPath(options.work);
  std::vector<std::string> load{QUELVAR_SUMMARY_BIN, "--all-sequences", "--fai", layoutPath(options.work), paf};
  std::vector<std::string> flat{QUELVAR_SNAPSHOT_BIN, "--list", paf, "--all-sequences", "--fai", fai, "--fit",
                                "--size", "3840x2160", "--out", options.work + "/fit.png"};
  std::vector<std::string> side = flat;
  side.insert(side.end() - 2, "--perspective");
  TimedRun loaded = bestOf(load, options.work + "/load.txt", 2);
  TimedRun flatRun = bestOf(flat, options.work + "/flat.txt", 2);
  TimedRun sideRun = bestOf(side, options.work + "/side.txt", 2);
  if (!loaded.ok || !flatRun.ok || !sideRun.ok) {
    std::printf("snapshot: a run failed\n");
    return false;
  }
  std::printf("snapshot of %lld pairs at 3840x2160, best of 2: load alone %.2f s; --fit %.2f s (%.2f s beyond the "
              "load), %.0f MiB; --fit --perspective %.2f s (%.2f s beyond), %.0f MiB\n",
              static_cast<long long>(pairs), loaded.seconds, flatRun.seconds, flatRun.seconds - loaded.seconds,
              static_cast<double>(flatRun.peakKib) / 1024, sideRun.seconds, sideRun.seconds - loaded.seconds,
              static_cast<double>(sideRun.peakKib) / 1024);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("genome_bench");
  Options options;
  int stop = readOptions(argc, argv, options);
  if (stop != kCliGoOn) return stop;
  if (!options.work.empty()) return runGenomeSize(options.work, options.sizes.front(), options.lanes != 0, options.frames);

  options.work = (std::filesystem::temp_directory_path() / "quelvar-genome-bench.XXXXXX").string();
  if (mkdtemp(options.work.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  std::printf("generated over GRCh38's 24 chromosome lengths (%lld bases)\n",
              static_cast<long long>(humanGenomeLength()));
  bool ok = writeFile(layoutPath(options.work), writeHumanFai);
  if (ok && options.lanes > 0) {
    ok = writeFile(repeatsPath(options.work),
                   [&](std::FILE* out) { return writeHumanRepeats(out, options.lanes, 26); }) &&
         benchLanes(options);
  }
  ok = ok && benchFrames(options);
  if (ok && options.open > 0) ok = benchOpen(options);
  if (ok) ok = benchSnapshot(options);
  std::filesystem::remove_all(options.work);
  return ok ? 0 : 1;
}
