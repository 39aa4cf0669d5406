#include "import_run.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "line_reader.h"
#include "text_fields.h"

namespace {

constexpr int64_t kMaxPosition = 2147483647;

bool inRange(int64_t value) { return value >= 0 && value <= kMaxPosition; }

// A cut line keeps only its whole fields: the last one may have been cut in the middle.
std::string_view wholeFieldsOf(std::string_view line) {
  size_t lastGap = line.find_last_of(" \t");
  return lastGap == std::string_view::npos ? std::string_view() : line.substr(0, lastGap);
}

void announceSequence(ImportRun& run) {
  char shown[64];
  quoteForMessage(run.sequence, shown, sizeof shown);
  std::fprintf(run.messages, "quelvar-import: keeping the pairs on %s, the first sequence seen (--chrom picks another)\n",
               shown);
}

// Applies the one-axis rule, the range check and the filters, then writes the pair.
// Returns the reason when the pair is not kept.
bool keepPair(ImportRun& run, const PairRow& pair, SkipReason& reason, const char*& why) {
  if (!pair.seq1.empty()) {
    run.sawNamedRow = true;
    if (run.sequence.empty()) {
      if (pair.seq1 != pair.seq2) {
        reason = SkipReason::OtherSequence;
        why = "its ends lie on two sequences";
        return false;
      }
      run.sequence.assign(pair.seq1.data(), pair.seq1.size());
      announceSequence(run);
    }
    if (pair.seq1 != run.sequence || pair.seq2 != run.sequence) {
      reason = SkipReason::OtherSequence;
      why = pair.seq1 != pair.seq2 ? "its ends lie on two sequences" : "it lies on another sequence";
      return false;
    }
  }
  if (!inRange(pair.pos) || !inRange(pair.partner) || !inRange(pair.len)) {
    reason = SkipReason::OutOfRange;
    why = "a position or length lies outside 0 to 2147483647";
    return false;
  }
  if (pair.role == HitRole::OnItself) {
    reason = SkipReason::OnItself;
    why = "a region aligned on itself";
    return false;
  }
  if (pair.role == HitRole::Mirror) {
    reason = SkipReason::Mirror;
    why = "the same repeat seen from its other copy";
    return false;
  }
  if (pair.len < run.options->minLength) {
    reason = SkipReason::TooShort;
    why = "shorter than --min-length";
    return false;
  }
  writePair(*run.writer, static_cast<int32_t>(pair.pos), static_cast<int32_t>(pair.partner),
            static_cast<int32_t>(pair.len), pair.orientation, pair.identity);
  ++run.imported;
  return true;
}

void warnUnnamedSequence(ImportRun& run) {
  if (run.repeatMatchWarned || run.options->chrom.empty()) return;
  std::fprintf(run.messages, "quelvar-import: repeat-match output names no sequence; --chrom is not checked for it\n");
  run.repeatMatchWarned = true;
}

}  // namespace

void startImportRun(ImportRun& run, const ImportOptions& options, PairWriter& writer, FILE* messages) {
  run.options = &options;
  run.sequence = options.chrom;
  run.report = SkipReport{};
  startSkipReport(run.report, messages);
  run.writer = &writer;
  run.imported = 0;
  run.messages = messages;
  run.repeatMatchWarned = false;
  run.sawNamedRow = false;
}

bool importInput(ImportRun& run, int fd, const char* inputName) {
  LineReader reader;
  openLineReader(reader, fd);
  InputFormat format = run.options->from;
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) {
    if (format == InputFormat::Unknown) {
      Detection detection = detectFormat(line, format);
      if (detection == Detection::LookFurther) continue;
      if (detection == Detection::CannotTell) {
        char shown[64];
        quoteForMessage(line, shown, sizeof shown);
        std::fprintf(run.messages,
                     "quelvar-import: %s:%llu: cannot tell the format from \"%s\"; name it with --from "
                     "repeat-match, --from bedpe or --from paf\n",
                     inputName, static_cast<unsigned long long>(reader.lineNumber), shown);
        return false;
      }
      if (format == InputFormat::RepeatMatch) warnUnnamedSequence(run);
    }
    RowResult row;
    if (cut && format != InputFormat::Paf) {
      row = skipRow(SkipReason::Malformed, "line longer than 1 MiB");
    } else {
      row = readRow(format, cut ? wholeFieldsOf(line) : line);
    }
    if (row.kind == RowKind::Ignore) continue;
    SkipReason reason = row.reason;
    const char* why = row.why;
    if (row.kind == RowKind::Pair && keepPair(run, row.pair, reason, why)) continue;
    noteSkip(run.report, inputName, reader.lineNumber, reason, why, line);
  }
  if (reader.error != 0) {
    std::fprintf(run.messages, "quelvar-import: cannot read %s: %s\n", inputName, std::strerror(reader.error));
    return false;
  }
  return true;
}

int runImport(const ImportOptions& options) {
  PairWriter writer;
  if (options.out.empty()) {
    openStdoutWriter(writer);
  } else if (!openFileWriter(writer, options.out, options.force)) {
    if (errno == EEXIST) {
      std::fprintf(stderr, "quelvar-import: %s exists; --force replaces it\n", options.out.c_str());
      return kImportBadArguments;
    }
    std::fprintf(stderr, "quelvar-import: cannot write %s: %s\n", options.out.c_str(), std::strerror(errno));
    return kImportUnreadable;
  }

  ImportRun run;
  startImportRun(run, options, writer, stderr);
  bool allRead = true;
  if (options.inputs.empty()) {
    allRead = importInput(run, STDIN_FILENO, "standard input");
  }
  for (const std::string& input : options.inputs) {
    if (input == "-") {
      allRead = importInput(run, STDIN_FILENO, "standard input") && allRead;
      continue;
    }
    int fd = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      std::fprintf(stderr, "quelvar-import: cannot read %s: %s\n", input.c_str(), std::strerror(errno));
      allRead = false;
      continue;
    }
    allRead = importInput(run, fd, input.c_str()) && allRead;
    close(fd);
  }

  printImportTotals(run.report, run.imported, run.sawNamedRow ? run.sequence : std::string());
  if (!allRead) {
    abandonWriter(writer);
    if (!options.out.empty()) std::fprintf(stderr, "quelvar-import: %s not written\n", options.out.c_str());
    return kImportUnreadable;
  }
  if (!finishWriter(writer)) {
    std::fprintf(stderr, "quelvar-import: cannot write %s: %s\n",
                 options.out.empty() ? "standard output" : options.out.c_str(), std::strerror(writer.error));
    return kImportUnreadable;
  }
  return kImportOk;
}
