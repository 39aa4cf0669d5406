// Feeds arbitrary bytes to the streaming loader, split into chunks at places the input
// itself chooses, and checks the table against the plain loader and its own invariants.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "literal_loader.h"
#include "record_table.h"
#include "tandem_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t chunk = 1 + data[0] % 64;  // the first byte picks the chunk size
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::srand(1);
  LiteralLoad literal = literalLoad(bytes, 1);

  resetTandemData();
  std::srand(1);
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  for (size_t at = 0; at < bytes.size(); at += chunk)
    scanTandemBytes(scanner, bytes.data() + at, bytes.size() - at < chunk ? bytes.size() - at : chunk);
  finishTandemScan(scanner);

  if (recordTable.count % 2 != 1 || recordTable.count > kTableSlots - 1) std::abort();
  if (recordTable.maxLen != literal.maxLen) std::abort();
  if (static_cast<size_t>(recordTable.count - 1) != literal.records.size()) std::abort();
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& got = recordTable.slots[i];
    if (std::memcmp(&got, &literal.records[static_cast<size_t>(i - 1)], sizeof got) != 0) std::abort();
    const TandemRecord& mate = recordTable.slots[i % 2 ? i + 1 : i - 1];
    if (got.partner != mate.pos || got.len != mate.len) std::abort();
  }
  return 0;
}
