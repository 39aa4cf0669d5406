#include "skip_report.h"

#include <cinttypes>

#include "text_fields.h"

namespace {

bool isListed(SkipReason reason) {
  return reason == SkipReason::Malformed || reason == SkipReason::OutOfRange ||
         reason == SkipReason::OtherSequence;
}

}  // namespace

void startSkipReport(SkipReport& report, FILE* out) {
  report = SkipReport{};
  report.out = out;
}

void noteSkip(SkipReport& report, const char* inputName, uint64_t lineNumber, SkipReason reason,
              const char* why, std::string_view line) {
  ++report.counts[static_cast<int>(reason)];
  if (!isListed(reason) || report.listed > kListedSkips) return;
  if (report.listed == kListedSkips) {
    std::fprintf(report.out, "quelvar-import: more %s skipped; only counting them from here on\n",
                 report.alignments ? "alignments" : "lines");
  } else if (report.alignments) {
    char record[64];
    quoteForMessage(line.substr(0, line.find('\t')), record, sizeof record);
    std::fprintf(report.out, "quelvar-import: %s: alignment %" PRIu64 " of FASTA record \"%s\": skipped, %s\n", inputName,
                 lineNumber, record, why);
  } else {
    char shown[64];
    quoteForMessage(line, shown, sizeof shown);
    std::fprintf(report.out, "quelvar-import: %s:%" PRIu64 ": skipped, %s: \"%s\"\n", inputName, lineNumber, why,
                 shown);
  }
  ++report.listed;
}

void printImportTotals(const SkipReport& report, uint64_t imported, std::string_view sequence) {
  uint64_t skipped = 0;
  for (uint64_t count : report.counts) skipped += count;
  std::fprintf(report.out, "quelvar-import: imported %" PRIu64 " pair%s", imported, imported == 1 ? "" : "s");
  if (!sequence.empty()) {
    char shown[64];
    quoteForMessage(sequence, shown, sizeof shown);
    std::fprintf(report.out, " on %s", shown);
  }
  if (skipped == 0) {
    std::fprintf(report.out, "; skipped none\n");
    return;
  }
  std::fprintf(report.out, "; skipped %" PRIu64 " %s%s:", skipped, report.alignments ? "alignment" : "line",
               skipped == 1 ? "" : "s");
  const char* separator = " ";
  for (int i = 0; i < static_cast<int>(SkipReason::Count); ++i) {
    if (report.counts[i] == 0) continue;
    std::fprintf(report.out, "%s%" PRIu64 " %s", separator, report.counts[i],
                 skipReasonName(static_cast<SkipReason>(i)));
    separator = ", ";
  }
  std::fprintf(report.out, "\n");
}
