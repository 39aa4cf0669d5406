#include "tandem_loader.h"

#include <cerrno>
#include <cstdio>

#include "record_table.h"
#include "tandem_scanner.h"

namespace {

// Reused for every chunk: tokens are walked as they stream past, never held whole.
char chunk[1 << 16];

// The summary lines for the table as it stands.
void printTandemSummary(bool refusedForRoom) {
  std::printf("Count tandem load - %d\n", recordTable.count);
  std::printf("Max len tandem - %d\n", recordTable.maxLen);
  if (refusedForRoom) std::printf("Version limit tandem - %d!\n", kTableSlots);
  // The viewer keeps running after this; flushed so a pipe sees the summary at once.
  std::fflush(stdout);
}

// Scales every record's len into (0, 7] by maxLen / 7.
void normalizeLengths() {
  if (recordTable.count <= 1) return;
  double divisor = recordTable.maxLen / 7.0;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    TandemRecord& record = recordTable.slots[i];
    record.len = static_cast<float>(record.len / divisor);
  }
  ++recordTable.revision;
}

}  // namespace

int loadTandemList(const char* path, uint32_t tag) {
  TandemScanner scanner;
  startTandemScan(scanner, tag);
  bool readable = false;
  errno = 0;
  std::FILE* file = std::fopen(path, "r");
  int error = file == nullptr ? errno : 0;
  if (file != nullptr) {
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) scanTandemBytes(scanner, chunk, got);
    readable = !std::ferror(file);
    if (!readable) error = errno != 0 ? errno : EIO;
    if (readable)
      finishTandemScan(scanner);
    else
      abandonTandemScan(scanner);  // its bytes were cut off by the failing read
  }
  if (!readable) std::printf("UPS");
  printTandemSummary(scanner.refusedForRoom);
  if (file != nullptr) std::fclose(file);
  return readable ? 0 : (error != 0 ? error : EIO);
}

void normalizeRecords() {
  normalizeLengths();
  scaleRecordsX(0.00001);
}
