#include "genomes.h"

#include <chrono>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "tool_run.h"

const char* const kChromosome = "/usr/share/doc/ragout/examples/H.Pylori/references/ELS37.fasta.gz";
const char* const kContigs = "/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz";

bool haveGenome(const char* path) { return access(path, R_OK) == 0; }

namespace {

struct Sink {
  InProcess* result;
  const AlignCall* call;
};

void takeLine(void* context, std::string_view line) {
  Sink& sink = *static_cast<Sink*>(context);
  sink.result->lines.emplace_back(line);
  if (sink.call->cancelAtFirstLine) *sink.call->cancel = true;
  if (sink.call->sleepPerLineMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(sink.call->sleepPerLineMs));
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

InProcess alignInProcess(const std::string& path, const AlignCall& call) {
  InProcess result;
  SelfAlignOptions options;
  options.preset = call.preset;
  options.threads = call.threads;
  options.progress = call.progress;
  options.cancel = call.cancel;
  Sink sink{&result, &call};
  result.ok = selfAlignFasta(path.c_str(), options, takeLine, &sink, result.sequences, result.error);
  return result;
}

std::vector<std::string> alignWithBinary(const std::string& path, const std::string& preset, std::string& failure) {
  std::vector<std::string> argv = {"minimap2"};
  if (!preset.empty()) argv.insert(argv.end(), {"-x", preset});
  argv.insert(argv.end(), {"-c", "-X", "-t", "2", path, path});
  ToolResult run = runTool(argv);
  if (run.exitCode != 0) {
    failure = "minimap2 exited with " + std::to_string(run.exitCode) + ": " + run.err;
    return {};
  }
  return splitLines(run.out);
}

std::string plainCopy(const std::string& gzipPath, const std::string& folder) {
  std::string plain = folder + "/genome.fa";
  runCommand("gzip -dc '" + gzipPath + "' > '" + plain + "'", folder);
  return plain;
}

std::vector<FastaSequence> sequencesByAwk(const std::string& plainPath) {
  ToolResult run = runCommand(
      "awk '/^>/ { if (n != \"\") print n, l; n = substr($1, 2); l = 0; next } { l += length($0) } "
      "END { print n, l }' '" + plainPath + "'",
      ".");
  std::vector<FastaSequence> sequences;
  std::istringstream in(run.out);
  FastaSequence sequence;
  while (in >> sequence.name >> sequence.length) sequences.push_back(sequence);
  return sequences;
}
