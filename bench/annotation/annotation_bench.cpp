// annotation_bench [--features N] [--runs N]: writes N features (default 500,000) in each
// annotation format, and a gzip of the BED, then reads each both ways side by side: its
// lines through the line reader alone, and loaded as a lane onto a genome's axis. Prints
// the times, their ratio, the lane's memory per feature and the cost of the overlap query
// a frame makes, and how few strips a far view needs when features closer than 10 kb or
// 100 kb are merged. Run by hand; ctest runs it only tiny, as a smoke test.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include "annotation_lanes.h"
#include "annotation_source.h"
#include "bench_options.h"
#include "cli_tool.h"
#include "lane_strips.h"
#include "line_reader.h"

namespace {

const char kUsage[] =
    "usage: annotation_bench [--features N] [--runs N]\n"
    "Loads N annotation features (default 500000) of each format as a lane, beside reading\n"
    "the same file's lines alone, best of --runs runs (default 3), and prints the ratios.\n";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Every line of the file through the line reader, as the loader reads it; returns lines.
int64_t readLinesOnly(const std::string& path) {
  int fd = openForReading(path.c_str());
  if (fd < 0) return -1;
  LineReader reader;
  openLineReader(reader, fd);
  std::string_view line;
  bool cut = false;
  int64_t lines = 0;
  size_t bytes = 0;
  while (nextLine(reader, line, cut)) {
    ++lines;
    bytes += line.size();
  }
  closeInput(fd);
  return reader.error == 0 && bytes > 0 ? lines : -1;
}

template <typename T>
size_t bytesOf(const T& held) {
  return held.capacity() * sizeof(typename T::value_type);
}

size_t laneBytes(const FeatureTable& t) {
  return bytesOf(t.start) + bytesOf(t.end) + bytesOf(t.name) + bytesOf(t.featureClass) + bytesOf(t.strand) +
         bytesOf(t.row) + bytesOf(t.namePool) + bytesOf(t.nameStart) + bytesOf(t.maxEndTree);
}

bool gzipFile(const std::string& from, const std::string& to) {
  FILE* in = std::fopen(from.c_str(), "rb");
  gzFile out = gzopen(to.c_str(), "wb6");
  bool ok = in != nullptr && out != nullptr;
  std::vector<char> buffer(1 << 16);
  size_t got = 0;
  while (ok && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
    ok = gzwrite(out, buffer.data(), static_cast<unsigned>(got)) == static_cast<int>(got);
  if (in != nullptr) std::fclose(in);
  if (out != nullptr) ok = gzclose(out) == Z_OK && ok;
  return ok;
}

struct Case {
  const char* label;
  AnnotationFormat format;
  bool gzip;
};

}  // namespace

int main(int argc, char** argv) {
  startCli("annotation_bench");
  BenchCount featuresOption{"features", 1, 50000000, 500000}, runsOption{"runs", 1, 1000, 3};
  int stop = readBenchOptions(argc, argv, kUsage, featuresOption, runsOption);
  if (stop != kCliGoOn) return stop;
  const int64_t features = featuresOption.value;
  const int runs = static_cast<int>(runsOption.value);

  std::string dir = (std::filesystem::temp_directory_path() / "quelvar-annotation-bench.XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    cliError("cannot make a folder under %s", std::filesystem::temp_directory_path().c_str());
    return kExitFailed;
  }
  const Case cases[] = {
      {"BED6", AnnotationFormat::Bed, false},
      {"BED6 .gz", AnnotationFormat::Bed, true},
      {"GFF3", AnnotationFormat::Gff3, false},
      {"GTF", AnnotationFormat::Gtf, false},
      {"RepeatMasker", AnnotationFormat::RepeatMasker, false},
      {"TRF .dat", AnnotationFormat::Trf, false},
  };
  SequenceAxis axis = benchGenome();
  std::printf("%lld features a file on %zu sequences, best of %d\n", static_cast<long long>(features),
              axis.sequences.size(), runs);
  std::printf("%-13s %7s %8s %8s %8s %9s %9s %10s %10s %8s\n", "format", "MB", "lines s", "load s", "ratio",
              "B/feature", "query us", "strips10k", "strips100k", "merge s");
  bool ok = true;
  for (const Case& c : cases) {
    std::string plain = dir + "/features" + std::to_string(static_cast<int>(c.format));
    std::string path = c.gzip ? plain + ".gz" : plain;
    bool written = writeBenchAnnotation(plain, c.format, features, 5) && (!c.gzip || gzipFile(plain, path));
    if (!written) {
      cliError("cannot write %s", path.c_str());
      ok = false;
      break;
    }
    double linesBest = 1e30, loadBest = 1e30;
    size_t bytes = 0, loaded = 0;
    double queryMicros = 0, mergeSeconds = 0;
    size_t strips10k = 0, strips100k = 0;
    for (int run = 0; run < runs; ++run) {
      Clock::time_point start = Clock::now();
      ok = readLinesOnly(path) > 0 && ok;
      linesBest = std::min(linesBest, secondsSince(start));

      AnnotationLanes lanes;
      std::string summary, error;
      start = Clock::now();
      bool read = loadAnnotation(lanes, path.c_str(), axis, summary, error);
      loadBest = std::min(loadBest, secondsSince(start));
      if (!read) {
        cliError("%s", error.c_str());
        ok = false;
        break;
      }
      const FeatureTable& table = lanes.lanes[0].features;
      loaded = featureCount(table);
      bytes = laneBytes(table);
      // What a frame asks: the features in view, here 2 Mb of the axis anywhere on it.
      std::mt19937 random(3);
      std::vector<uint32_t> hits;
      constexpr int kQueries = 2000;
      start = Clock::now();
      size_t found = 0;
      for (int q = 0; q < kQueries; ++q) {
        hits.clear();
        int64_t from = static_cast<int64_t>(random() % 238000000);
        featuresOverlapping(table, from, from + 2000000, hits);
        found += hits.size();
      }
      queryMicros = secondsSince(start) * 1e6 / kQueries;
      if (found == 0) ok = false;
      // A far view's grain: strips 10 kb and 100 kb apart drawn as one.
      std::vector<LaneStrip> strips;
      start = Clock::now();
      mergeLaneStrips(table, 10000, strips);
      mergeSeconds = secondsSince(start);
      strips10k = strips.size();
      mergeLaneStrips(table, 100000, strips);
      strips100k = strips.size();
    }
    if (static_cast<int64_t>(loaded) != features) {
      cliError("%s: %zu of %lld features loaded", c.label, loaded, static_cast<long long>(features));
      ok = false;
    }
    std::printf("%-13s %7.1f %8.3f %8.3f %7.1fx %9.1f %9.1f %10zu %10zu %8.4f\n", c.label,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6, linesBest, loadBest, loadBest / linesBest,
                static_cast<double>(bytes) / static_cast<double>(loaded > 0 ? loaded : 1), queryMicros, strips10k,
                strips100k, mergeSeconds);
    std::filesystem::remove(plain);
    if (c.gzip) std::filesystem::remove(path);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory of this process: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  std::filesystem::remove_all(dir);
  return ok ? kExitOk : kExitFailed;
}
