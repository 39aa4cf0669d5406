// import_bench [--lines N] [--runs N]: converts a generated BEDPE file and a generated BLAST
// tabular file with quelvar-import and with the awk one-liner a user would otherwise write,
// checks that both give the same list, and prints times, ratios and peak memory. Run by
// hand; ctest runs it only tiny, as a smoke test.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bedpe_source.h"
#include "blast_source.h"
#include "bench_options.h"
#include "cli_tool.h"
#include "timed_run.h"

namespace {

// The same conversion as `quelvar-import --chrom chr1`: headers and other chromosomes
// dropped, -1 rows dropped, 0-based starts kept, one '+' and one '-' make orientation 1.
const char* const kAwkProgram =
    "BEGIN { FS = \"\\t\"; OFS = \"/\" } "
    "/^(#|track|browser)/ { next } "
    "$1 == \"chr1\" && $4 == \"chr1\" && $2 >= 0 && $5 >= 0 "
    "{ print $2, $5, $3 - $2, (($9 == \"+\" && $10 == \"-\") || ($9 == \"-\" && $10 == \"+\")) }";

// The same conversion as `quelvar-import --chrom chr1` of a BLAST self-comparison: comments
// and other sequences dropped, a region on itself dropped, the second report of a repeat
// merged into the first (an array of the hits kept, as the importer keeps), 1-based
// inclusive to 0-based, identity with two decimals.
const char* const kAwkBlastProgram =
    "BEGIN { FS = \"\\t\" } "
    "/^#/ { next } "
    "$1 == \"chr1\" && $2 == \"chr1\" { "
    "r = $9 > $10; s = r ? $10 : $9; e = r ? $9 : $10; "
    "if (!r && $7 == $9 && $8 == $10) next; "
    "k = $7 \" \" $8 \" \" s \" \" e \" \" r; t = s \" \" e \" \" $7 \" \" $8 \" \" r; "
    "if (t in kept) { delete kept[t]; next } "
    "kept[k] = 1; "
    "printf \"%d/%d/%d/%d/%.2f\\n\", $7 - 1, s - 1, $8 - $7 + 1, r, $3 }";

struct BenchFormat {
  const char* name;  // as printed
  const char* file;  // the generated input's file name
  bool (*write)(const std::string& path, int64_t lines, uint64_t seed);
  const char* awkProgram;
};

struct Contender {
  std::string label;   // the program's own name, after following links
  std::string detail;  // its path and version
  std::vector<std::string> command;  // the input file is appended
  TimedRun best;
};

std::string resolvedPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}

std::string onPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

bool sameFiles(const std::string& a, const std::string& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::vector<char> bx(1 << 20), by(1 << 20);
  while (x && y) {
    x.read(bx.data(), static_cast<std::streamsize>(bx.size()));
    y.read(by.data(), static_cast<std::streamsize>(by.size()));
    if (x.gcount() != y.gcount() || std::memcmp(bx.data(), by.data(), static_cast<size_t>(x.gcount())) != 0)
      return false;
  }
  return !x && !y;
}

long countLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(1 << 20);
  long lines = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    for (std::streamsize i = 0; i < in.gcount(); ++i) lines += buffer[static_cast<size_t>(i)] == '\n';
  }
  return lines;
}

TimedRun bestOf(const Contender& c, const std::string& input, const std::string& output, int runs) {
  TimedRun best{false, 0, 0};
  std::vector<std::string> argv = c.command;
  argv.push_back(input);
  for (int i = 0; i < runs; ++i) {
    TimedRun run = timeCommand(argv, "/dev/null", output);
    if (!run.ok) return run;
    if (!best.ok || run.seconds < best.seconds) best = run;
  }
  return best;
}

const char kUsage[] =
    "Usage: import_bench [OPTIONS]\n"
    "Converts a generated BEDPE file and a generated BLAST tabular file with quelvar-import\n"
    "and with the awk one-liner a user would otherwise write, checks both give the same list,\n"
    "and prints times, ratios and peak memory.\n"
    "\n"
    "      --lines N  lines in each generated file (default 10000000, at least 10)\n"
    "      --runs N   runs of each, the best is kept (default 2)\n"
    "      --help     show this help and exit\n"
    "      --version  show the version and exit\n";

// Times quelvar-import and every awk on PATH on one generated input; false when a contender
// failed or gave a different list.
bool benchFormat(const BenchFormat& format, const std::string& dir, long long lines, int runs) {
  std::string big = dir + "/" + format.file;
  std::string small = dir + "/tenth." + format.file;
  if (!format.write(big, lines, 7) || !format.write(small, lines / 10, 7)) {
    std::fprintf(stderr, "import_bench: cannot write the input under %s\n", dir.c_str());
    return false;
  }
  double megabytes = static_cast<double>(std::filesystem::file_size(big)) / 1e6;

  std::vector<Contender> contenders = {{"quelvar-import", QUELVAR_IMPORT_BIN, {QUELVAR_IMPORT_BIN, "--chrom", "chr1"}, {}}};
  std::vector<std::string> seen;
  for (const char* name : {"awk", "mawk", "gawk", "original-awk", "busybox"}) {
    std::string path = onPath(name);
    if (path.empty()) continue;
    std::string real = resolvedPath(path);
    std::vector<std::string> command = {path};
    if (std::strcmp(name, "busybox") == 0) command.push_back("awk");
    bool duplicate = false;
    for (const std::string& s : seen) duplicate = duplicate || s == real;
    if (duplicate) continue;
    seen.push_back(real);
    std::string version = firstLineOf({path, std::strcmp(name, "mawk") == 0 ? "-W" : "--version",
                                       std::strcmp(name, "mawk") == 0 ? "version" : ""});
    command.push_back(format.awkProgram);
    std::string label = std::strcmp(name, "busybox") == 0 ? "busybox awk" : std::filesystem::path(real).filename().string();
    contenders.push_back({label, real + (version.empty() ? "" : ": " + version), command, {}});
  }

  std::printf("quelvar-import against awk: %lld %s lines, %.0f MB, best of %d run%s\n", lines, format.name, megabytes,
              runs, runs == 1 ? "" : "s");
  std::string reference = dir + "/quelvar-import.out";
  bool agree = true;
  for (size_t i = 0; i < contenders.size(); ++i) {
    std::string out = i == 0 ? reference : dir + "/awk.out";
    contenders[i].best = bestOf(contenders[i], big, out, runs);
    if (!contenders[i].best.ok) {
      std::printf("  %s failed to run\n", contenders[i].label.c_str());
      agree = false;
      continue;
    }
    if (i > 0 && !sameFiles(reference, out)) {
      std::printf("  %s gives a different list\n", contenders[i].label.c_str());
      agree = false;
    }
  }

  const TimedRun& ours = contenders[0].best;
  std::printf("  %-14s %8s %8s %12s %10s\n", "", "seconds", "MB/s", "peak memory", "time ratio");
  for (const Contender& c : contenders) {
    if (!c.best.ok) continue;
    std::printf("  %-14s %8.2f %8.0f %8.1f MiB %9.2fx\n", c.label.c_str(), c.best.seconds,
                megabytes / c.best.seconds, static_cast<double>(c.best.peakKib) / 1024.0,
                c.best.seconds / ours.seconds);
  }
  for (const Contender& c : contenders) std::printf("  %s is %s\n", c.label.c_str(), c.detail.c_str());
  std::printf("  awk on PATH is %s\n", resolvedPath(onPath("awk")).c_str());
  std::printf("  pairs written: %ld; every awk's list identical to quelvar-import's: %s\n", countLines(reference),
              agree ? "yes" : "NO");

  Contender tenth = contenders[0];
  TimedRun smallRun = bestOf(tenth, small, dir + "/tenth.out", 1);
  std::printf("  quelvar-import peak memory: %.1f MiB at %lld lines, %.1f MiB at %lld lines\n",
              static_cast<double>(smallRun.peakKib) / 1024.0, lines / 10, static_cast<double>(ours.peakKib) / 1024.0,
              lines);
  std::filesystem::remove(big);
  std::filesystem::remove(small);
  return agree;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("import_bench");
  BenchCount linesOption{"lines", 10, 10000000000, 10000000}, runsOption{"runs", 1, 1000, 2};
  int stop = readBenchOptions(argc, argv, kUsage, linesOption, runsOption);
  if (stop != kCliGoOn) return stop;
  long long lines = static_cast<long long>(linesOption.value);
  int runs = static_cast<int>(runsOption.value);

  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-import-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  const BenchFormat formats[] = {
      {"BEDPE", "pairs.bedpe", writeBenchBedpe, kAwkProgram},
      {"BLAST tabular", "hits.tsv", writeBenchBlast, kAwkBlastProgram},
  };
  bool agree = true;
  for (const BenchFormat& format : formats) agree = benchFormat(format, dir, lines, runs) && agree;
  std::filesystem::remove_all(dir);
  return agree ? 0 : 1;
}
