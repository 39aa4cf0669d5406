// tiles_bench [--minutes N] [--runs N]: identity tiles against what else reads a repeat-rich
// sequence, side by side on the same file: quelvar-summary --tiles W, trf (tandem repeats)
// and minimap2 -c -X (the alignment route), each as a child process so that its peak
// memory is its own, the latter two stopped after N minutes. Two sequences: a made 3 Mb
// alpha-satellite array (no package ships a centromere) and the 19.7 Mb U. maydis genome
// of Debian's maffilter-examples. Prints times, peak memory and their ratios.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_options.h"
#include "cli_tool.h"
#include "satellite_array.h"
#include "self_align.h"
#include "timed_run.h"

namespace {

const char kUsage[] =
    "Usage: tiles_bench [OPTIONS]\n"
    "Identity tiles of a made 3 Mb satellite array and of a 19.7 Mb fungal genome, against\n"
    "trf and minimap2 -c -X on the same sequence: times, peak memory and their ratios.\n"
    "\n"
    "      --minutes N    stop trf and minimap2 after N minutes (default 5)\n"
    "      --runs N       runs of the tiles, the best is kept (default 1)\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n";

const char kUmaydis[] = "/usr/share/doc/maffilter/examples/Umaydis/Umaydis.fasta.gz";

double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

struct Way {
  std::string label;
  TimedRun run;
};

void printWay(const Way& way, int minutes) {
  if (way.run.ok)
    std::printf("  %-40s %8.2f %8.1f MiB\n", way.label.c_str(), way.run.seconds, mib(way.run.peakKib));
  else
    std::printf("  %-40s  did not finish in %d min (%.1f MiB by then)\n", way.label.c_str(), minutes,
                mib(way.run.peakKib));
}

void printRatio(const Way& tiles, const Way& other) {
  if (!tiles.run.ok) return;
  if (other.run.ok)
    std::printf("  tiles W=%s / %s: time %.3fx, peak memory %.2fx\n", tiles.label.substr(tiles.label.rfind(' ') + 1).c_str(),
                other.label.c_str(), tiles.run.seconds / other.run.seconds,
                static_cast<double>(tiles.run.peakKib) / static_cast<double>(other.run.peakKib));
  else
    std::printf("  tiles W=%s / %s: time below %.4fx (it did not finish)\n",
                tiles.label.substr(tiles.label.rfind(' ') + 1).c_str(), other.label.c_str(),
                tiles.run.seconds / other.run.seconds);
}

// Every way on one plain FASTA; false when the tiles failed.
bool benchSequence(const std::string& dir, const std::string& plain, const char* label, const std::string& summary,
                   const std::vector<int>& windows, int minutes, int runs) {
  std::string limit = std::to_string(minutes * 60);
  std::string threads = std::to_string(defaultAlignThreads());
  std::printf("%s, %s threads\n", label, threads.c_str());
  std::printf("  %-40s %8s %12s\n", "", "seconds", "peak memory");
  std::vector<Way> tiles;
  for (int window : windows) {
    std::string w = std::to_string(window);
    tiles.push_back({"quelvar-summary --tiles " + w, bestOf({summary, "--tiles", w, plain}, dir + "/tiles.txt", runs)});
    printWay(tiles.back(), minutes);
  }
  // trf's recommended settings; -ngs writes to standard output, not into the folder.
  Way trf{"trf 2 7 7 80 10 50 2000 -h -ngs",
          timeCommand({"timeout", limit, "trf", plain, "2", "7", "7", "80", "10", "50", "2000", "-h", "-ngs"}, "/dev/null",
                      dir + "/trf.txt")};
  printWay(trf, minutes);
  Way minimap{"minimap2 -c -X -t " + threads,
              timeCommand({"timeout", limit, "minimap2", "-c", "-X", "-t", threads, plain, plain}, "/dev/null",
                          dir + "/minimap.paf")};
  if (!minimap.run.ok) minimap.run.seconds = minutes * 60.0;
  if (!trf.run.ok) trf.run.seconds = minutes * 60.0;
  printWay(minimap, minutes);
  bool ok = true;
  for (const Way& way : tiles) {
    printRatio(way, trf);
    printRatio(way, minimap);
    ok = ok && way.run.ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  startCli("tiles_bench");
  BenchCount minutesOption{"minutes", 1, 1000, 5}, runsOption{"runs", 1, 1000, 1};
  int stop = readBenchOptions(argc, argv, kUsage, minutesOption, runsOption);
  if (stop != kCliGoOn) return stop;
  int minutes = static_cast<int>(minutesOption.value), runs = static_cast<int>(runsOption.value);
  std::string self = std::filesystem::canonical("/proc/self/exe").string();
  std::string summary = std::filesystem::path(self).parent_path() / "quelvar-summary";
  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-tiles-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  std::printf("minimap2 %s; trf %s\n", firstLineOf({"minimap2", "--version"}).c_str(),
              firstLineOf({"dpkg-query", "-W", "-f=${Version}\n", "trf"}).c_str());
  std::string satellite = dir + "/satellite.fa";
  std::ofstream(satellite) << fastaRecord("satellite", satelliteArray(SatelliteShape{}));
  bool ok = benchSequence(dir, satellite, "3 Mb alpha-satellite array (made: 12-monomer higher-order repeat, copies 1% off it)",
                          summary, {5000, 1000}, minutes, runs);
  if (access(kUmaydis, R_OK) != 0) {
    cliError("cannot read %s (Debian package maffilter-examples; scripts/deps.sh installs it)", kUmaydis);
    ok = false;
  } else {
    std::string plain = dir + "/umaydis.fa";
    if (std::system(("zcat " + std::string(kUmaydis) + " > " + plain).c_str()) != 0) {
      cliError("cannot unpack %s", kUmaydis);
      ok = false;
    } else {
      ok = benchSequence(dir, plain, "U. maydis genome, 19.7 Mb (maffilter-examples)", summary, {5000, 1000}, minutes,
                         runs) && ok;
    }
  }
  std::filesystem::remove_all(dir);
  return ok ? kExitOk : kExitFailed;
}
