#include "fasta_pairs.h"

#include <cerrno>
#include <cstdio>
#include <unordered_set>
#include <vector>

#include "cli_tool.h"
#include "input_copy.h"
#include "pair_placement.h"
#include "self_align.h"
#include "pair_bound.h"
#include "tandem_scanner.h"
#include "text_fields.h"

namespace {

constexpr size_t kNamesListed = 20;

struct Feed {
  ImportRun* run;
  const char* path;
  AlignWatch* watch;
  uint64_t lineNumber;
};

// Said on the run's messages, and kept for a window that shows why the work failed.
void sayFailure(const Feed& feed, const std::string& line) {
  std::fprintf(feed.run->messages, "quelvar-import: %s\n", line.c_str());
  if (feed.watch == nullptr) return;
  std::lock_guard<std::mutex> hold(feed.watch->lock);
  feed.watch->failure = line;
}

void sayChromMissing(const ImportRun& run, const char* path, const std::vector<FastaSequence>& sequences) {
  char shown[64];
  quoteForMessage(run.options->chrom, shown, sizeof shown);
  std::fprintf(run.messages, "quelvar-import: %s holds no sequence %s; it holds", path, shown);
  for (size_t i = 0; i < sequences.size() && i < kNamesListed; ++i) {
    quoteForMessage(sequences[i].name, shown, sizeof shown);
    std::fprintf(run.messages, "%s %s", i == 0 ? "" : ",", shown);
  }
  if (sequences.size() > kNamesListed) std::fprintf(run.messages, " and %zu more", sequences.size() - kNamesListed);
  std::fprintf(run.messages, "\n");
}

// The FASTA's own sequences make the axis, as an index would, before a hit is read.
bool takeSequences(void* context, const std::vector<FastaSequence>& sequences) {
  Feed& feed = *static_cast<Feed*>(context);
  ImportRun& run = *feed.run;
  if (!run.options->allSequences) {
    for (const FastaSequence& sequence : sequences)
      if (sequence.name == run.options->chrom) {
        run.chromSeen = true;
        run.sequenceLength = sequence.length;
        return true;
      }
    sayChromMissing(run, feed.path, sequences);
    if (feed.watch != nullptr) {
      std::lock_guard<std::mutex> hold(feed.watch->lock);
      feed.watch->failure = std::string(feed.path) + " holds no sequence named " + run.options->chrom;
    }
    return false;
  }
  run.axis = SequenceAxis{};
  run.axis.fixed = true;
  for (const FastaSequence& sequence : sequences) {
    // minimap2 would take a name given twice for one sequence; the axis cannot.
    if (!run.axis.indexOf.emplace(sequence.name, static_cast<uint32_t>(run.axis.sequences.size())).second) {
      char shown[64];
      quoteForMessage(sequence.name, shown, sizeof shown);
      sayFailure(feed, std::string(feed.path) + " names two sequences " + shown + "; give each its own name");
      return false;
    }
    run.axis.sequences.push_back({sequence.name, sequence.length, 0});
  }
  return layOutFixedGenome(run);
}

void takeLine(void* context, std::string_view line) {
  Feed& feed = *static_cast<Feed*>(context);
  importRow(*feed.run, InputFormat::Paf, line, false, ++feed.lineNumber, feed.path);
}

void takeStatus(void* context, double fraction, const std::string& text) {
  AlignWatch& watch = *static_cast<Feed*>(context)->watch;
  std::lock_guard<std::mutex> hold(watch.lock);
  watch.fraction = fraction;
  watch.text = text;
}

enum class Aligned { Whole, Refused, Unreadable, Cancelled };

Aligned alignInto(ImportRun& run, const char* path, const std::string& readFrom, AlignWatch* watch) {
  Feed feed{&run, path, watch, 0};
  run.report.alignments = true;
  SelfAlignOptions options;
  options.readFrom = readFrom;
  options.preset = run.options->preset;
  options.threads = run.options->threads;
  options.progress = run.messages;
  options.cancel = watch != nullptr ? &watch->cancel : nullptr;
  options.sequencesRead = takeSequences;
  options.status = watch != nullptr ? takeStatus : nullptr;
  std::vector<FastaSequence> sequences;
  std::string error;
  if (selfAlignFasta(path, options, takeLine, &feed, sequences, error)) return Aligned::Whole;
  if (watch != nullptr && watch->cancel.load()) return Aligned::Cancelled;
  if (error.empty()) return Aligned::Refused;  // the sequences could not make the axis: said
  sayFailure(feed, error);
  return Aligned::Unreadable;
}

// minimap2 opens the file by name; a pipe's bytes are copied first, since they come once.
Aligned alignNamed(ImportRun& run, NamedInput& input, AlignWatch* watch) {
  InputCopy copy;
  std::string error;
  if (!input.regular && !copyInput(input, copy, error)) {
    sayFailure(Feed{&run, input.path.c_str(), watch, 0}, error);
    return Aligned::Unreadable;
  }
  return alignInto(run, input.path.c_str(), copy.path, watch);
}

ImportOptions fastaImportOptions(const ImportOptions& options) {
  ImportOptions fasta = options;
  fasta.allSequences = options.chrom.empty();
  return fasta;
}

}  // namespace

int checkFastaOpening(const char* path, const ImportOptions& options) {
  if (!options.fai.empty())
    return cliUsageError("%s is a FASTA, which gives its own sequences; --fai goes with pairs", path);
  std::string why;
  if (!knownAlignPreset(options.preset, &why)) return cliUsageError("%s", why.c_str());
  return kCliGoOn;
}

int loadFastaPairs(const char* path, const PairFileOptions& options, uint32_t tag, AlignWatch* watch) {
  TandemScanner scanner;
  startTandemScan(scanner, tag);
  scanner.keepLongest = options.named;
  scanner.maxPairs = options.maxPairs > 0 ? options.maxPairs : defaultMaxPairs();
  ImportOptions import = fastaImportOptions(options.import);
  std::shared_ptr<NamedInput> input = options.input;
  if (!input || input->path != path) input = openNamedInput(path);
  if (input->error != 0) return endPairLoad(scanner, input->error, SequenceAxis{});
  ImportRun run;
  startImportRun(run, import, scannerSink(scanner), stderr);
  Aligned aligned = alignNamed(run, *input, watch);
  if (aligned == Aligned::Cancelled) {
    finishImportRun(run, false);  // the table is left as it is: nothing will show it
    return kFastaCancelled;
  }
  bool laidOut = finishImportRun(run, aligned == Aligned::Whole);
  // A FASTA that could not be aligned was refused in one line; no count of nothing follows it.
  bool chromFound = aligned != Aligned::Whole || reportImportRun(run);
  int answer = aligned == Aligned::Whole && laidOut && chromFound ? 0 : kPairFileRefused;
  return endPairLoad(scanner, answer, importedSequences(run));
}

bool importFasta(ImportRun& run, NamedInput& input) { return alignNamed(run, input, nullptr) == Aligned::Whole; }
