// fasta_bench [--megabytes N] [--runs N]: self-aligns a real chromosome and a genome of N
// million bases made of real ones, in process (selfAlignFasta into a counter) and with the
// `minimap2 -c -X -t T` binary writing a PAF file, side by side with the same threads, and
// prints times, peak memory and their ratios. Then what a user waits for: quelvar-summary
// opening the FASTA, against the binary followed by quelvar-summary opening its PAF. Each way runs as a child process, so that
// its peak memory is its own. Run by hand; ctest runs it only small, as a smoke test.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_options.h"
#include "cli_tool.h"
#include "fasta_scan.h"
#include "genome_source.h"
#include "self_align.h"
#include "timed_run.h"

namespace {

const char kUsage[] =
    "Usage: fasta_bench [OPTIONS]\n"
    "Self-aligns a real chromosome and a genome made of real ones, in process and with the\n"
    "minimap2 binary, and prints times, peak memory and their ratios.\n"
    "\n"
    "      --megabytes N  size of the made genome, in million bases (default 48)\n"
    "      --runs N       runs of each, the best is kept (default 1)\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n";

// The child's side: `fasta_bench --in-process FILE THREADS` prints the number of lines.
void countLine(void* context, std::string_view) { ++*static_cast<long long*>(context); }

int alignInProcess(const char* path, const char* threads) {
  SelfAlignOptions options;
  options.threads = std::atoi(threads);
  long long lines = 0;
  std::vector<FastaSequence> sequences;
  std::string error;
  if (!selfAlignFasta(path, options, countLine, &lines, sequences, error)) {
    cliError("%s", error.c_str());
    return kExitFailed;
  }
  std::printf("%lld\n", lines);
  return kExitOk;
}

// "name<TAB>length" a sequence, as samtools faidx begins its lines.
bool writeIndex(const std::string& genome, const std::string& indexPath) {
  FastaScan scan;
  std::string error;
  if (!scanFasta(genome.c_str(), scan, nullptr, nullptr, error)) return false;
  std::ofstream out(indexPath);
  for (const FastaSequence& sequence : scan.sequences) out << sequence.name << '\t' << sequence.length << '\n';
  return static_cast<bool>(out);
}

std::string wholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long long linesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  long long lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

// Both ways on one genome; false when one failed or they disagree on the alignments.
bool benchGenome(const std::string& self, const std::string& dir, const std::string& genome, const char* label,
                 int threads, int runs) {
  std::string t = std::to_string(threads);
  TimedRun binary = bestOf({"minimap2", "-c", "-X", "-t", t, genome, genome}, dir + "/binary.paf", runs);
  TimedRun inProcess = bestOf({self, "--in-process", genome, t}, dir + "/count.txt", runs);
  std::printf("%s, %d threads, best of %d run%s\n", label, threads, runs, runs == 1 ? "" : "s");
  if (!binary.ok || !inProcess.ok) {
    std::printf("  %s failed\n", !binary.ok ? "minimap2" : "the in-process alignment");
    return false;
  }
  long long binaryLines = linesOf(dir + "/binary.paf");
  long long inProcessLines = -1;
  std::ifstream(dir + "/count.txt") >> inProcessLines;
  std::printf("  %-36s %8s %12s\n", "", "seconds", "peak memory");
  std::printf("  %-36s %8.2f %8.1f MiB\n", ("minimap2 -c -X -t " + t + " > PAF").c_str(), binary.seconds,
              mib(binary.peakKib));
  std::printf("  %-36s %8.2f %8.1f MiB\n", "selfAlignFasta into a counter", inProcess.seconds, mib(inProcess.peakKib));
  std::printf("  in process / binary: time %.2fx, peak memory %.2fx (aim: at most 1.15x and 1.20x)\n",
              inProcess.seconds / binary.seconds,
              static_cast<double>(inProcess.peakKib) / static_cast<double>(binary.peakKib));
  bool same = binaryLines == inProcessLines;
  std::printf("  alignments: %lld in process, %lld by the binary%s\n", inProcessLines, binaryLines,
              same ? "" : "  DIFFERENT");

  // Opening the genome: the alignment, the import and the table, against the two steps.
  std::string summary = std::filesystem::path(self).parent_path() / "quelvar-summary";
  std::string index = dir + "/genome.fai";
  if (!writeIndex(genome, index)) {
    std::printf("  cannot index %s\n", genome.c_str());
    return false;
  }
  TimedRun opened = bestOf({summary, "--threads", t, genome}, dir + "/opened.txt", runs);
  TimedRun pafOpened = bestOf({summary, "--all-sequences", "--fai", index, dir + "/binary.paf"}, dir + "/paf.txt", runs);
  if (!opened.ok || !pafOpened.ok) {
    std::printf("  quelvar-summary failed on the %s\n", !opened.ok ? "FASTA" : "PAF");
    return false;
  }
  double outsideSeconds = binary.seconds + pafOpened.seconds;
  long outsidePeak = binary.peakKib + pafOpened.peakKib;
  std::printf("  %-36s %8.2f %8.1f MiB\n", "quelvar-summary genome.fa", opened.seconds, mib(opened.peakKib));
  std::printf("  %-36s %8.2f %8.1f MiB (%.1f MiB of it the table's)\n", "minimap2, then quelvar-summary PAF",
              outsideSeconds, mib(outsidePeak), mib(pafOpened.peakKib));
  std::printf("  opening the FASTA / the two steps: time %.2fx, peak memory %.2fx (aim: at most 1.15x and 1.20x)\n",
              opened.seconds / outsideSeconds, static_cast<double>(opened.peakKib) / static_cast<double>(outsidePeak));
  bool sameSummary = wholeFile(dir + "/opened.txt") == wholeFile(dir + "/paf.txt");
  std::printf("  summaries: %s\n", sameSummary ? "the same" : "DIFFERENT");
  return same && sameSummary;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("fasta_bench");
  if (argc == 4 && std::strcmp(argv[1], "--in-process") == 0) return alignInProcess(argv[2], argv[3]);
  BenchCount megabytesOption{"megabytes", 1, 100000, 48}, runsOption{"runs", 1, 1000, 1};
  int stop = readBenchOptions(argc, argv, kUsage, megabytesOption, runsOption);
  if (stop != kCliGoOn) return stop;
  int runs = static_cast<int>(runsOption.value);
  if (access(kBenchChromosome, R_OK) != 0) {
    cliError("cannot read %s (Debian package ragout-examples; scripts/deps.sh installs it)", kBenchChromosome);
    return kExitFailed;
  }
  std::string self = std::filesystem::canonical("/proc/self/exe").string();
  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-fasta-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  int threads = defaultAlignThreads();
  std::printf("minimap2 %s\n", firstLineOf({"minimap2", "--version"}).c_str());
  bool ok = benchGenome(self, dir, kBenchChromosome, "ELS37 chromosome, 1.66 Mb gzip", threads, runs);
  std::string made = dir + "/genome.fa";
  std::string error;
  long long bases = 0;
  if (!writeConcatenatedGenome(made, megabytesOption.value, bases, error)) {
    cliError("%s", error.c_str());
    ok = false;
  } else {
    char label[120];
    std::snprintf(label, sizeof label, "%.2f Mb made of ragout's reference genomes, plain", static_cast<double>(bases) / 1e6);
    ok = benchGenome(self, dir, made, label, threads, runs) && ok;
  }
  std::filesystem::remove_all(dir);
  return ok ? kExitOk : kExitFailed;
}
