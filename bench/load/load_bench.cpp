// Load benchmark: generates a 1,000,000-token list (a full table and then some) and times,
// each in a fresh process, the loader, a literal baseline, and a floor that only reads the
// file and draws the random numbers every loader must draw. Prints wall time, peak resident
// memory and the ratios between them. The same list with a fifth field (identity in
// percent, two decimals) is timed too, against its own floor, since its file is longer.
//
// quelvar-load-bench [--tokens N] [--runs N]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_options.h"
#include "cli_tool.h"
#include "colliding_positions.h"
#include "literal_baseline.h"
#include "record_table.h"
#include "tandem_loader.h"

namespace {

const char kUsage[] =
    "Usage: quelvar-load-bench [OPTIONS]\n"
    "Generates a tandem list and times, each in a fresh process, the loader, a literal\n"
    "baseline and a floor that only reads the file and draws the random numbers; prints\n"
    "wall time, peak memory and the ratios.\n"
    "\n"
    "      --tokens N  tokens in the generated list (default 1000000)\n"
    "      --runs N    runs of each, the best is kept (default 3)\n"
    "      --help      show this help and exit\n"
    "      --version   show the version and exit\n";

char chunk[1 << 16];

// Reads the file once and draws three random numbers per token: no loader can do less.
int readingFloor(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return 0;
  long tokens = 0;
  bool inToken = false;
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    for (size_t i = 0; i < got; ++i) {
      unsigned char c = static_cast<unsigned char>(chunk[i]);
      bool space = c == ' ' || (c >= '\t' && c <= '\r');
      if (!space && !inToken) {
        std::rand(), std::rand(), std::rand();
        ++tokens;
      }
      inToken = !space;
    }
  }
  std::fclose(file);
  std::printf("tokens %ld\n", tokens);
  return 0;
}

// Pairs of neighbouring crafted positions, each of length 50.
bool writeCraftedList(const char* path, long pairs) {
  std::vector<int32_t> positions = collidingPositions(static_cast<size_t>(pairs) * 2);
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  for (size_t i = 0; i + 1 < positions.size(); i += 2) std::fprintf(file, "%d/%d/50/0\n", positions[i], positions[i + 1]);
  return std::fclose(file) == 0;
}

int runMode(const char* mode, const char* path) {
  if (std::strcmp(mode, "loader") == 0) {
    loadTandemList(path, 1);
    normalizeRecords();
  } else if (std::strcmp(mode, "literal") == 0) {
    loadLiterally(path);
  } else {
    readingFloor(path);
  }
  return 0;
}

struct Measure {
  double seconds;
  long peakKb;
};

Measure measureChild(const char* self, const char* mode, const char* path) {
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stdout)) _exit(3);
    execl(self, self, "--child", mode, path, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "quelvar-load-bench: the %s run failed\n", mode);
    std::exit(1);
  }
  return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

// The list with "/NN.NN" appended to every line's token.
bool writeWithIdentity(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "r");
  std::FILE* out = std::fopen(to.c_str(), "w");
  bool ok = in != nullptr && out != nullptr;
  char line[256];
  unsigned state = 7;
  while (ok && std::fgets(line, sizeof line, in) != nullptr) {
    size_t length = std::strcspn(line, "\n");
    line[length] = '\0';
    state = state * 1664525u + 1013904223u;
    unsigned hundredths = 7000 + (state >> 8) % 3001;
    ok = std::fprintf(out, "%s/%u.%02u\n", line, hundredths / 100, hundredths % 100) > 0;
  }
  if (in != nullptr) std::fclose(in);
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  return ok;
}

std::string besideSelf(const char* self, const char* name) {
  std::string dir(self);
  size_t slash = dir.rfind('/');
  return (slash == std::string::npos ? std::string(".") : dir.substr(0, slash)) + "/" + name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return runMode(argv[2], argv[3]);
  startCli("quelvar-load-bench");
  BenchCount tokensOption{"tokens", 1, 100000000, 1000000}, runsOption{"runs", 1, 1000, 3};
  int stop = readBenchOptions(argc, argv, kUsage, tokensOption, runsOption);
  if (stop != kCliGoOn) return stop;
  long tokens = static_cast<long>(tokensOption.value);
  int runs = static_cast<int>(runsOption.value);
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) {
    cliError("cannot find its own program, to run each load in a fresh process");
    return kExitFailed;
  }
  self[n] = '\0';

  std::string path = "/tmp/quelvar-load-bench-" + std::to_string(getpid()) + ".txt";
  std::string generate = besideSelf(self, "quelvar-generate") + " --tokens " + std::to_string(tokens) +
                         " --noise 0 --scatter 1 > " + path;
  if (std::system(generate.c_str()) != 0) {
    cliError("could not generate %s", path.c_str());
    return kExitFailed;
  }

  std::string withIdentity = path + ".identity";
  if (!writeWithIdentity(path, withIdentity)) {
    cliError("could not write %s", withIdentity.c_str());
    return kExitFailed;
  }

  const char* modes[] = {"loader", "literal", "floor", "loader", "floor"};
  const std::string* files[] = {&path, &path, &path, &withIdentity, &withIdentity};
  Measure best[5];
  for (int m = 0; m < 5; ++m) {
    best[m] = {1e30, 0};
    for (int r = 0; r < runs; ++r) {
      Measure got = measureChild(self, modes[m], files[m]->c_str());
      if (got.seconds < best[m].seconds) best[m].seconds = got.seconds;
      if (got.peakKb > best[m].peakKb) best[m].peakKb = got.peakKb;
    }
  }
  std::remove(path.c_str());
  std::remove(withIdentity.c_str());

  // The worst case: a full table of pairs at positions crafted against a fixed
  // multiplicative hash, beside a random list of the same number of pairs.
  const long pairs = kTableSlots / 2 - 1;
  std::string randomPath = "/tmp/quelvar-load-bench-random-" + std::to_string(getpid()) + ".txt";
  std::string craftedPath = "/tmp/quelvar-load-bench-crafted-" + std::to_string(getpid()) + ".txt";
  std::string generateRandom = besideSelf(self, "quelvar-generate") + " --tokens " + std::to_string(pairs) +
                               " --noise 0 --scatter 1 > " + randomPath;
  if (std::system(generateRandom.c_str()) != 0 || !writeCraftedList(craftedPath.c_str(), pairs)) {
    cliError("could not write the worst-case lists under /tmp");
    return kExitFailed;
  }
  Measure randomBest{1e30, 0}, craftedBest{1e30, 0};
  for (int r = 0; r < runs; ++r) {
    Measure got = measureChild(self, "loader", randomPath.c_str());
    if (got.seconds < randomBest.seconds) randomBest = got;
    got = measureChild(self, "loader", craftedPath.c_str());
    if (got.seconds < craftedBest.seconds) craftedBest = got;
  }
  std::remove(randomPath.c_str());
  std::remove(craftedPath.c_str());

  std::printf("load benchmark: %ld tokens, best of %d runs, each in its own process\n", tokens, runs);
  const char* labels[] = {"(a) loader", "(b) literal baseline", "(c) read + rand floor",
                          "(d) loader, 5th field", "(e) floor, 5th field"};
  for (int m = 0; m < 5; ++m)
    std::printf("  %-22s %9.1f ms  peak RSS %8.1f MB\n", labels[m], best[m].seconds * 1e3, static_cast<double>(best[m].peakKb) / 1024.0);
  std::printf("  speed-up of (a) over (b):  %.1fx\n", best[1].seconds / best[0].seconds);
  std::printf("  (a) / (c) time:            %.2fx\n", best[0].seconds / best[2].seconds);
  std::printf("  (d) / (e) time:            %.2fx\n", best[3].seconds / best[4].seconds);
  std::printf("  (b) / (a) peak RSS:        %.1fx\n", static_cast<double>(best[1].peakKb) / static_cast<double>(best[0].peakKb));
  std::printf("worst case: %ld pairs, loader, best of %d runs\n", pairs, runs);
  std::printf("  %-22s %9.1f ms  peak RSS %8.1f MB\n", "(f) random positions", randomBest.seconds * 1e3,
              static_cast<double>(randomBest.peakKb) / 1024.0);
  std::printf("  %-22s %9.1f ms  peak RSS %8.1f MB\n", "(g) crafted collisions", craftedBest.seconds * 1e3,
              static_cast<double>(craftedBest.peakKb) / 1024.0);
  std::printf("  (g) / (f) time:            %.2fx\n", craftedBest.seconds / randomBest.seconds);
  return 0;
}
