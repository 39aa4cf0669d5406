#include "genome_source.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <zlib.h>

const char* const kBenchChromosome = "/usr/share/doc/ragout/examples/H.Pylori/references/ELS37.fasta.gz";

namespace {

const char* const kExamples = "/usr/share/doc/ragout/examples";

std::vector<std::string> referenceGenomes() {
  std::vector<std::string> paths;
  std::error_code failure;
  for (const auto& species : std::filesystem::directory_iterator(kExamples, failure)) {
    std::filesystem::path references = species.path() / "references";
    if (!std::filesystem::is_directory(references, failure)) continue;
    for (const auto& file : std::filesystem::directory_iterator(references, failure))
      if (file.path().string().size() > 9 && file.path().string().rfind(".fasta.gz") == file.path().string().size() - 9)
        paths.push_back(file.path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

bool readGzip(const std::string& path, std::string& text) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  text.clear();
  char chunk[1 << 16];
  int got = 0;
  while ((got = gzread(file, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  gzclose(file);
  return got == 0;
}

}  // namespace

bool writeConcatenatedGenome(const std::string& path, long long megabytes, long long& bases, std::string& error) {
  bases = 0;
  std::vector<std::string> genomes = referenceGenomes();
  if (genomes.empty()) {
    error = std::string("no reference genomes under ") + kExamples + " (Debian package ragout-examples)";
    return false;
  }
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    error = "cannot write " + path;
    return false;
  }
  bool ok = true;
  std::string text;
  for (int copy = 1; ok && bases < megabytes * 1000000; ++copy) {
    for (size_t i = 0; ok && i < genomes.size() && bases < megabytes * 1000000; ++i) {
      if (!readGzip(genomes[i], text)) {
        error = "cannot read " + genomes[i];
        ok = false;
        break;
      }
      std::string prefix = copy == 1 ? ">" : ">copy" + std::to_string(copy) + "_";
      for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        if (text[start] == '>') {
          std::fputs(prefix.c_str(), out);
          std::fwrite(text.data() + start + 1, 1, end - start - 1, out);
        } else {
          std::fwrite(text.data() + start, 1, end - start, out);
          bases += static_cast<long long>(end - start);
        }
        std::fputc('\n', out);
        start = end + 1;
      }
    }
  }
  if (std::fclose(out) != 0 && ok) {
    error = "cannot write " + path;
    ok = false;
  }
  return ok;
}
