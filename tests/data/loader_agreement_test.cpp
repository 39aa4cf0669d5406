// The streaming loader against the plain one, on generated and hostile lists, read in
// chunks of every size so that tokens split across chunk boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "literal_loader.h"
#include "load_test_support.h"
#include "record_table.h"
#include "tandem_scanner.h"

namespace {

void expectSameTable(const LiteralLoad& literal) {
  ASSERT_EQ(recordTable.count, static_cast<int32_t>(literal.records.size()) + 1);
  EXPECT_EQ(recordTable.maxLen, literal.maxLen);
  for (size_t i = 0; i < literal.records.size(); ++i) {
    const TandemRecord& got = recordTable.slots[i + 1];
    const TandemRecord& want = literal.records[i];
    ASSERT_EQ(0, std::memcmp(&got, &want, sizeof got)) << "slot " << i + 1;
  }
}

void scanInChunks(const std::string& bytes, size_t chunk) {
  resetTandemData();
  std::srand(1);
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  for (size_t at = 0; at < bytes.size(); at += chunk)
    scanTandemBytes(scanner, bytes.data() + at, std::min(chunk, bytes.size() - at));
  finishTandemScan(scanner);
}

const char kHostileBytes[] =
    "/1/2/30 ;;;; 12;-4;99;; +5/+6/+70/x 0/0/11 -0/-0/-0 1/2/3/4/5/6/7 abc/def/ghi\r\n"
    "2147483648/-2147483649/2147483647 7/8/40\0/99 \x01\x7f\xff/3/30 //// 5/// 4/4/4/4\n"
    "\v\f9/9/19";
const std::string kHostile(kHostileBytes, sizeof kHostileBytes - 1);

TEST(LoaderAgreement, StreamingWalkMatchesPlainLoaderAtEveryChunkSize) {
  std::srand(1);
  LiteralLoad literal = literalLoad(kHostile, 1);
  for (size_t chunk = 1; chunk <= kHostile.size(); ++chunk) {
    SCOPED_TRACE(chunk);
    scanInChunks(kHostile, chunk);
    expectSameTable(literal);
  }
}

TEST(LoaderAgreement, FileLoaderMatchesPlainLoaderOnAGeneratedList) {
  std::string bytes;
  unsigned state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    unsigned pos = (state >> 8) % 50000;  // a narrow axis, so rows stack deeply
    state = state * 1103515245u + 12345u;
    unsigned len = (state >> 8) % 400;
    bytes += std::to_string(pos) + (i % 3 ? "/" : ";") + std::to_string(pos + len) + "/" +
             std::to_string(len) + "/" + std::to_string(i & 1) + (i % 7 ? "\n" : "\t");
  }
  std::srand(1);
  LiteralLoad literal = literalLoad(bytes, 1);
  loadBytes(bytes);
  expectSameTable(literal);
}

}  // namespace
