#include "import_run.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "cli_tool.h"
#include "line_reader.h"
#include "pair_placement.h"
#include "text_fields.h"

namespace {

// A cut line keeps only its whole fields: the last one may have been cut in the middle.
std::string_view wholeFieldsOf(std::string_view line) {
  size_t lastGap = line.find_last_of(" \t");
  return lastGap == std::string_view::npos ? std::string_view() : line.substr(0, lastGap);
}

// What the closing line says the pairs lie on.
std::string axisName(const ImportRun& run) {
  if (!run.sawNamedRow) return std::string();
  if (run.options->allSequences) return std::to_string(run.axis.sequences.size()) + " sequences";
  return run.sequence;
}

std::string sequencesPath(const ImportOptions& options) { return options.out + ".sequences"; }

bool writesSequencesFile(const ImportRun& run) {
  return run.options->allSequences && !run.options->out.empty() && !run.axis.sequences.empty();
}

// The offset table beside the list, written as safely as the list itself.
bool writeSequencesFile(const ImportRun& run) {
  std::string path = sequencesPath(*run.options);
  PairWriter table;
  if (openFileWriter(table, path, run.options->force, run.options->inputs) != kExitOk) return false;
  writeText(table, "# name\toffset\tlength\n" + offsetTable(run.axis));
  if (!finishWriter(table)) {
    if (table.error != 0) cliError("cannot write %s: %s", path.c_str(), std::strerror(table.error));
    return false;
  }
  return true;
}

void warnUnnamedSequence(ImportRun& run) {
  if (run.repeatMatchWarned || run.options->chrom.empty()) return;
  std::fprintf(run.messages, "quelvar-import: repeat-match output names no sequence; --chrom is not checked for it\n");
  run.repeatMatchWarned = true;
}

}  // namespace

bool importStandardInput(ImportRun& run) {
  // A closed standard input is an input that cannot be read, not an empty one.
  if (cliStreamWasClosed(STDIN_FILENO)) {
    std::fprintf(run.messages, "quelvar-import: cannot read standard input: it is closed\n");
    return false;
  }
  return importInput(run, STDIN_FILENO, "standard input");
}

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
  run.chromSeen = false;
  run.axis = SequenceAxis{};
  openPairSpool(run.spool);
  run.lengthsGuessed = false;
}

bool importInput(ImportRun& run, int fd, const char* inputName) {
  LineReader reader;
  openLineReader(reader, fd);
  InputFormat format = run.options->from;
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) {
    if (format == InputFormat::Unknown) {
      Detection detection = detectFormat(line, format, reader.lineNumber == 1);
      if (detection == Detection::LookFurther) continue;
      if (detection == Detection::CannotTell) {
        char shown[64];
        quoteForMessage(line, shown, sizeof shown);
        std::fprintf(run.messages,
                     "quelvar-import: %s:%llu: cannot tell the format from \"%s\"; name it with --from "
                     "(%s)\n",
                     inputName, static_cast<unsigned long long>(reader.lineNumber), shown, kFormatNames);
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
    // A cut line is never passed over silently: it had something in it.
    if (row.kind == RowKind::Ignore && cut) row = skipRow(SkipReason::Malformed, "line longer than 1 MiB");
    if (row.kind == RowKind::Ignore) continue;
    SkipReason reason = row.reason;
    const char* why = row.why;
    if (row.kind == RowKind::Pair && placePair(run, row.pair, reason, why)) continue;
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
  } else {
    int opened = openFileWriter(writer, options.out, options.force, options.inputs);
    if (opened != kExitOk) return opened;
  }

  // The offset table is written last; whether it may be is checked first.
  if (options.allSequences && !options.out.empty()) {
    int refused = checkOutputPath(sequencesPath(options), options.inputs, options.force);
    if (refused != kExitOk) {
      abandonWriter(writer);
      return refused;
    }
  }

  ImportRun run;
  startImportRun(run, options, writer, stderr);
  if (!startGenome(run)) {
    abandonWriter(writer);
    return kImportUnreadable;
  }
  bool allRead = true;
  if (options.inputs.empty()) allRead = importStandardInput(run);
  for (const std::string& input : options.inputs) {
    if (input == "-") {
      allRead = importStandardInput(run) && allRead;
      continue;
    }
    int fd = openForReading(input.c_str());
    if (fd < 0) {
      std::fprintf(stderr, "quelvar-import: cannot read %s: %s\n", input.c_str(), std::strerror(errno));
      allRead = false;
      continue;
    }
    allRead = importInput(run, fd, input.c_str()) && allRead;
    close(fd);
  }

  bool laidOut = allRead && finishGenome(run);
  closePairSpool(run.spool);
  printImportTotals(run.report, run.imported, axisName(run));
  bool chromFound = checkChromSeen(run);
  if (!allRead || !laidOut || !chromFound) {
    abandonWriter(writer);
    if (!options.out.empty()) std::fprintf(stderr, "quelvar-import: %s not written\n", options.out.c_str());
    return chromFound ? kImportUnreadable : kImportBadArguments;
  }
  if (!finishWriter(writer)) {
    if (writer.error != 0)
      cliError("cannot write %s: %s", options.out.empty() ? "standard output" : options.out.c_str(),
               std::strerror(writer.error));
    return kImportUnreadable;
  }
  if (options.out.empty() && cliStreamWasClosed(STDOUT_FILENO)) {
    cliError("cannot write standard output: it is closed");
    return kImportUnreadable;
  }
  // After the list, so that only one temporary file at a time waits for its rename.
  if (writesSequencesFile(run) && !writeSequencesFile(run)) {
    std::fprintf(stderr, "quelvar-import: %s written without its offset table\n", options.out.c_str());
    return kImportUnreadable;
  }
  return kImportOk;
}
