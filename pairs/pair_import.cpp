#include "pair_import.h"

#include <cstring>

#include "content_look.h"
#include "pair_placement.h"
#include "row_blocks.h"
#include "text_fields.h"
#include "trf_reader.h"

namespace {

// What the closing line says the pairs lie on.
std::string axisName(const ImportRun& run) {
  if (!run.sawNamedRow) return std::string();
  if (run.options->allSequences) return std::to_string(run.axis.sequences.size()) + " sequences";
  return run.sequence;
}

void warnUnnamedSequence(ImportRun& run) {
  if (run.repeatMatchWarned || run.options->chrom.empty()) return;
  std::fprintf(run.messages, "quelvar-import: repeat-match output names no sequence; --chrom is not checked for it\n");
  run.repeatMatchWarned = true;
}

}  // namespace

void startImportRun(ImportRun& run, const ImportOptions& options, PairSink sink, FILE* messages) {
  run.options = &options;
  run.sequence = options.chrom;
  run.report = SkipReport{};
  startSkipReport(run.report, messages);
  startTokenOutput(run.tokens, sink);
  run.imported = 0;
  run.messages = messages;
  run.repeatMatchWarned = false;
  run.sawNamedRow = false;
  run.chromSeen = false;
  run.axis = SequenceAxis{};
  openPairSpool(run.spool);
  run.lengthsGuessed = false;
  run.mirrors = MirrorIndex{};
  run.diagonal = DiagonalCounts{};
  run.pieces.clear();
  run.trfSequence.clear();
  run.sequenceLength = 0;
  run.progress = nullptr;
}

bool importInput(ImportRun& run, int fd, const char* inputName) {
  LineReader reader;
  openLineReader(reader, fd);
  return importLines(run, reader, inputName);
}

namespace {

void takeRow(ImportRun& run, const RowResult& row, std::string_view line, uint64_t lineNumber, const char* inputName) {
  if (row.kind == RowKind::Ignore) return;
  SkipReason reason = row.reason;
  const char* why = row.why;
  if (row.kind == RowKind::Pair && placePair(run, row.pair, reason, why)) return;
  noteSkip(run.report, inputName, lineNumber, reason, why, line);
}

}  // namespace

void importRow(ImportRun& run, InputFormat format, std::string_view line, bool cut, uint64_t lineNumber,
               const char* inputName) {
  std::string_view section;
  if (format == InputFormat::Trf && !cut && trfSectionName(line, section)) {
    run.trfSequence.assign(section.data(), section.size());
    return;
  }
  RowResult row = format == InputFormat::Trf && !cut ? readTrfRow(line, run.trfSequence)
                                                     : rowOfLine(format, line, cut);
  takeRow(run, row, line, lineNumber, inputName);
}

bool importLines(ImportRun& run, LineReader& reader, const char* inputName) {
  InputFormat format = run.options->from;
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) {
    addProgress(run.progress, line.size() + 1, 1);
    if (format == InputFormat::Unknown) {
      Detection detection = detectFormat(line, format, reader.lineNumber == 1);
      if (detection == Detection::LookFurther) {
        // TRF -ngs names its first sequence before any row tells the format.
        std::string_view name;
        if (trfSectionName(line, name)) run.trfSequence.assign(name.data(), name.size());
        continue;
      }
      if (detection == Detection::CannotTell) {
        // A sequence, an annotation or binary data is named for what it is.
        std::string_view head(line.data(), static_cast<size_t>(reader.buffer.data() + reader.end - line.data()));
        ContentKind kind = contentKindOf(head);
        if (kind != ContentKind::Unknown) {
          std::fprintf(run.messages, "quelvar-import: %s\n", describeRefusal(kind, inputName).c_str());
          return false;
        }
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
    importRow(run, format, line, cut, reader.lineNumber, inputName);
    // Once the format is known, rows that need nothing of the rows before are read on two threads.
    if (format != InputFormat::Trf) {
      placeRowsInBlocks(reader, format, [&](const LineRow& row) {
        takeRow(run, row.row, row.line, row.lineNumber, inputName);
      }, run.progress);
      break;
    }
  }
  if (reader.error != 0) {
    std::fprintf(run.messages, "quelvar-import: cannot read %s: %s\n", inputName, readErrorText(reader.error));
    return false;
  }
  return true;
}

bool finishImportRun(ImportRun& run, bool allRead) {
  bool laidOut = releaseHeldPairs(run, allRead);
  closePairSpool(run.spool);
  flushTokens(run.tokens);
  return laidOut;
}

SequenceAxis importedSequences(const ImportRun& run) {
  if (run.options->allSequences) return run.axis;
  SequenceAxis one{};
  if (run.sequence.empty() || !run.chromSeen) return one;
  one.fixed = true;
  one.indexOf.emplace(run.sequence, 0);
  one.sequences.push_back({run.sequence, run.sequenceLength, 0});
  return one;
}

bool reportImportRun(const ImportRun& run) {
  printDiagonalCounts(run.report.out, run.diagonal);
  printImportTotals(run.report, run.imported, axisName(run));
  return checkChromSeen(run);
}
