#include "tandem_loader.h"

#include <cerrno>
#include <cstdio>

#include "axis_scale.h"
#include "bar_records.h"
#include "record_table.h"
#include "stack_counts.h"
#include "tandem_scanner.h"

namespace {

// Reused for every chunk: tokens are walked as they stream past, never held whole.
char chunk[1 << 16];

FILE* summaryOut = nullptr;  // standard output unless a tool asked otherwise

FILE* summaryStream() { return summaryOut != nullptr ? summaryOut : stdout; }

// The summary lines for the table as it stands.
void printTandemSummary(bool refusedForRoom) {
  FILE* out = summaryStream();
  std::fprintf(out, "Count tandem load - %d\n", barSlotEnd());
  std::fprintf(out, "Max len tandem - %d\n", barsMaxLen());
  if (refusedForRoom) std::fprintf(out, "Version limit tandem - %d!\n", kTableSlots);
  // The viewer keeps running after this; flushed so a pipe sees the summary at once.
  std::fflush(out);
}

}  // namespace

void normalizeLengths() {
  if (recordTable.count <= 1) return;
  double full = recordTable.maxLen;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    TandemRecord& record = recordTable.slots[i];
    record.len = static_cast<float>(scaledLength(record.len, full));
  }
  ++recordTable.revision;
}

void sendLoadSummaryTo(FILE* out) { summaryOut = out; }

int endTandemLoad(TandemScanner& scanner, int error, bool sayUps) {
  if (error == 0)
    finishTandemScan(scanner);
  else
    abandonTandemScan(scanner);  // its bytes were cut off by the failing read
  if (error != 0 && sayUps) std::fprintf(summaryStream(), "UPS");
  printTandemSummary(scanner.refusedForRoom);
  return error;
}

int loadTandemList(const char* path, uint32_t tag) {
  TandemScanner scanner;
  startTandemScan(scanner, tag);
  errno = 0;
  std::FILE* file = std::fopen(path, "r");
  int error = file == nullptr ? (errno != 0 ? errno : EIO) : 0;
  if (file != nullptr) {
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) scanTandemBytes(scanner, chunk, got);
    if (std::ferror(file)) error = errno != 0 ? errno : EIO;
  }
  endTandemLoad(scanner, error);
  if (file != nullptr) std::fclose(file);
  return error;
}

void normalizeRecords() {
  normalizeLengths();
  scaleRecordsX(kAxisScale);
}

void placeRecordsAsLoaded() {
  for (int32_t i = 1; i < recordTable.count; ++i) clearStackCount(recordTable.slots[i].pos);
  for (int32_t i = 1; i < recordTable.count; ++i) standRecordAt(recordTable.slots[i], recordTable.slots[i].pos);
  scaleRecordsX(kAxisScale);
}
