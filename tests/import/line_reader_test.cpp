#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "line_reader.h"
#include "text_fields.h"
#include "tool_run.h"

namespace {

struct ReadLine {
  std::string text;
  bool cut;
  uint64_t number;
};

std::vector<ReadLine> readAllLines(const std::string& content) {
  std::string dir = makeScratchDir();
  std::string path = dir + "/input";
  writeWholeFile(path, content);
  int fd = open(path.c_str(), O_RDONLY);
  LineReader reader;
  openLineReader(reader, fd);
  std::vector<ReadLine> lines;
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) lines.push_back({std::string(line), cut, reader.lineNumber});
  EXPECT_EQ(reader.error, 0);
  close(fd);
  removeTree(dir);
  return lines;
}

TEST(LineReader, SplitsLinesWhateverTheirEndings) {
  auto lines = readAllLines("a b\r\n\nlast");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "a b");
  EXPECT_EQ(lines[1].text, "");
  EXPECT_EQ(lines[2].text, "last");
  EXPECT_EQ(lines[2].number, 3u);
  EXPECT_TRUE(readAllLines("").empty());
  EXPECT_EQ(readAllLines("one\n").size(), 1u);
}

// A byte order mark before the first line is dropped; anywhere else, or only part of one,
// it is text.
TEST(LineReader, DropsAByteOrderMarkBeforeTheFirstLineOnly) {
  auto lines = readAllLines("\xEF\xBB\xBF" "chr1\t1\t2\n\xEF\xBB\xBF" "x\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "chr1\t1\t2");
  EXPECT_EQ(lines[1].text, "\xEF\xBB\xBF" "x");
  EXPECT_EQ(readAllLines("\xEF\xBB")[0].text, "\xEF\xBB");
  EXPECT_TRUE(readAllLines("\xEF\xBB\xBF").empty());
}

TEST(LineReader, CutsALineLongerThanItsBufferAndGoesOn) {
  std::string huge(kLineBufferBytes * 2 + 17, 'x');
  // Lines either side of a buffer boundary, then one too long, then a normal one.
  std::string before(kLineBufferBytes - 3, 'y');
  auto lines = readAllLines(before + "\n" + huge + "\nafter\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, before);
  EXPECT_FALSE(lines[0].cut);
  EXPECT_TRUE(lines[1].cut);
  EXPECT_EQ(lines[1].text.size(), kLineBufferBytes);
  EXPECT_EQ(lines[2].text, "after");
  EXPECT_EQ(lines[2].number, 3u);
}

TEST(TextFields, SplitsAtBlanksAndReadsOnlyWholeNumbers) {
  std::string_view f[3];
  EXPECT_EQ(splitFields("  a\t\tbb  c d  ", f, 3), 4u);
  EXPECT_EQ(f[0], "a");
  EXPECT_EQ(f[1], "bb");
  EXPECT_EQ(f[2], "c");
  // Long fields, a control byte inside one, blanks at and across 8-byte boundaries.
  std::string_view g[4];
  EXPECT_EQ(splitFields("abcdefgh\x01ijklmnopqrstuvw\t12345678 \t\xc3\xa9tait\r", g, 4), 3u);
  EXPECT_EQ(g[0], "abcdefgh\x01ijklmnopqrstuvw");
  EXPECT_EQ(g[1], "12345678");
  EXPECT_EQ(g[2], "\xc3\xa9tait\r");

  int64_t v = 0;
  EXPECT_TRUE(parseInteger("2147483647", v));
  EXPECT_EQ(v, 2147483647);
  EXPECT_TRUE(parseInteger("-1", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(parseInteger("000000000000000000000042", v));  // leading zeros are not magnitude
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(parseInteger("18446744073709551617", v));  // would wrap to 1 in 64 bits
  EXPECT_GE(v, kHugeNumber);
  for (const char* bad : {"", "-", "+5", "5x", " 5", "1.0", "--1"}) EXPECT_FALSE(parseInteger(bad, v)) << bad;
}

// Identities are kept in hundredths as written, rounded half up from the text itself, so
// BLAST's 98.005 is 98.01 (a double would make it 98.00).
TEST(TextFields, ReadsIdentitiesInHundredths) {
  int64_t h = 0;
  const std::pair<const char*, int64_t> good[] = {
      {"98.005", 9801}, {"98.004", 9800}, {"100.000", 10000}, {"100", 10000}, {"7.5", 750}, {".5", 50}, {"0", 0}};
  for (const auto& [text, hundredths] : good) {
    EXPECT_TRUE(parseHundredths(text, h)) << text;
    EXPECT_EQ(h, hundredths) << text;
  }
  for (const char* bad : {"", ".", "-1.0", "1.2.3", "9e1", "nan"}) EXPECT_FALSE(parseHundredths(bad, h)) << bad;
  EXPECT_EQ(hundredthsOfRatio(2, 3), 6667);
  EXPECT_EQ(hundredthsOfRatio(1, 8), 1250);
  EXPECT_EQ(hundredthsOfRatio(int64_t{3} << 50, int64_t{4} << 50), 7500);
}

TEST(TextFields, QuotesLinesSafelyForTheTerminal) {
  char out[64];
  quoteForMessage(std::string_view("a\x1b[2Jb\0c\td", 10), out, sizeof out);
  EXPECT_STREQ(out, "a?[2Jb?c d");
  quoteForMessage(std::string(100, 'z'), out, sizeof out);
  EXPECT_EQ(std::string(out), std::string(40, 'z') + "...");
  quoteForMessage("abcdef", out, 4);
  EXPECT_STREQ(out, "abc");
}

}  // namespace
