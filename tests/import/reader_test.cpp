#include <gtest/gtest.h>

#include "input_format.h"

namespace {

struct RowCase {
  const char* line;
  RowKind kind;
  SkipReason reason;  // for skips
  int64_t pos, partner, len;
  int orientation;
};

void expectRow(InputFormat format, const RowCase& c) {
  SCOPED_TRACE(c.line);
  RowResult row = readRow(format, c.line);
  ASSERT_EQ(static_cast<int>(row.kind), static_cast<int>(c.kind));
  if (row.kind == RowKind::Skip) {
    EXPECT_EQ(static_cast<int>(row.reason), static_cast<int>(c.reason));
  }
  if (row.kind != RowKind::Pair) return;
  EXPECT_EQ(row.pair.pos, c.pos);
  EXPECT_EQ(row.pair.partner, c.partner);
  EXPECT_EQ(row.pair.len, c.len);
  EXPECT_EQ(row.pair.orientation, c.orientation);
}

constexpr RowKind P = RowKind::Pair;
constexpr RowKind I = RowKind::Ignore;
constexpr RowKind S = RowKind::Skip;
constexpr SkipReason kAny = SkipReason::Malformed;

// Rows as the real repeat-match prints them (see the planted-repeat test for the tool itself).
TEST(RepeatMatchReader, ConvertsOneBasedRowsAndTheFarEndOfReverseCopies) {
  const RowCase cases[] = {
      {"Long Exact Matches:", I, kAny, 0, 0, 0, 0},
      {"   Start1     Start2    Length", I, kAny, 0, 0, 0, 0},
      {"", I, kAny, 0, 0, 0, 0},
      {"     1000       5000       301", P, kAny, 999, 4999, 301, 0},
      // r: Start2 is where the backwards-read copy ends, so its start is Start2 - Length.
      {"     8001      12400r      400", P, kAny, 8000, 12000, 400, 1},
      {"    25001      25300r      300", P, kAny, 25000, 25000, 300, 1},  // a palindrome
      {"1\t2\t50\r", S, SkipReason::Malformed, 0, 0, 0, 0},               // a stray CR is not a digit
      {"     1000       5000", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"     1000       5000x      301", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"     1000       50r0       301", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"     1000       5000       301 7", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"     1000       5000         0", S, SkipReason::OutOfRange, 0, 0, 0, 0},
  };
  for (const RowCase& c : cases) expectRow(InputFormat::RepeatMatch, c);
  // Start1 0 and a reverse copy longer than its far end land below 0: the range check refuses them.
  EXPECT_EQ(readRow(InputFormat::RepeatMatch, "0 5 20").pair.pos, -1);
  EXPECT_EQ(readRow(InputFormat::RepeatMatch, "100 30r 50").pair.partner, -20);
  EXPECT_EQ(readRow(InputFormat::RepeatMatch, "100 300r 50").pair.identity, 100.0);  // exact matches
}

TEST(BedpeReader, ReadsHeadersStrandsUnplacedEndsAndBadRows) {
  const RowCase cases[] = {
      {"# chrom1 start1 end1", I, kAny, 0, 0, 0, 0},
      {"track name=pairs", I, kAny, 0, 0, 0, 0},
      {"browser position chr1:1-100", I, kAny, 0, 0, 0, 0},
      {"chr1\t100\t150\tchr1\t900\t950", P, kAny, 100, 900, 50, 0},
      {"chr1 100 150 chr1 900 950 n 0 + -", P, kAny, 100, 900, 50, 1},
      {"chr1 100 150 chr1 900 950 n 0 - +", P, kAny, 100, 900, 50, 1},
      {"chr1 100 150 chr1 900 950 n 0 - -", P, kAny, 100, 900, 50, 0},
      {"chr1 100 150 chr1 900 950 n 0 . .", P, kAny, 100, 900, 50, 0},
      {"chr1 100 150 chr1 900 950 n 0 + - extra 7", P, kAny, 100, 900, 50, 1},
      {"chr1 -1 -1 chr1 900 950", S, SkipReason::UnknownPosition, 0, 0, 0, 0},
      {". -1 -1 chr1 900 950 n 0 . +", S, SkipReason::UnknownPosition, 0, 0, 0, 0},
      {"chr1 100 150 chr1 900", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"chr1 1e2 150 chr1 900 950", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"chr1 150 100 chr1 900 950", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"chr1 100 150 chr1 900 950 n 0 + x", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"trackless 100 150 trackless 900 950", P, kAny, 100, 900, 50, 0},  // only the word "track" is a header
  };
  for (const RowCase& c : cases) expectRow(InputFormat::Bedpe, c);
  RowResult row = readRow(InputFormat::Bedpe, "chr1 100 150 chr2 900 950");
  EXPECT_EQ(row.pair.seq1, "chr1");
  EXPECT_EQ(row.pair.seq2, "chr2");
  EXPECT_LT(row.pair.identity, 0);  // BEDPE carries none
  // Too large for int32: kept as read so the range check can refuse it.
  EXPECT_EQ(readRow(InputFormat::Bedpe, "c 3000000000 3000000100 c 1 2").pair.pos, 3000000000);
  EXPECT_GT(readRow(InputFormat::Bedpe, "c 99999999999999999999999 99999999999999999999999 c 1 2").pair.pos,
            2147483647);
}

TEST(PafReader, MarksSelfHitsAndMirrorsOfASelfAlignment) {
  const char* forward = "s\t30000\t10000\t10240\t+\ts\t30000\t10120\t10360\t240\t240\t0\ttp:A:S";
  const char* mirror = "s\t30000\t10120\t10360\t+\ts\t30000\t10000\t10240\t240\t240\t0\ttp:A:S";
  const char* reverse = "s\t30000\t2998\t3251\t-\ts\t30000\t19999\t20252\t253\t253\t0";
  const char* onItself = "s\t30000\t5\t29994\t+\ts\t30000\t5\t29994\t29989\t29989\t60";
  const char* palindrome = "s\t30000\t25000\t25300\t-\ts\t30000\t25000\t25300\t300\t300\t0";
  expectRow(InputFormat::Paf, {forward, P, kAny, 10000, 10120, 240, 0});
  expectRow(InputFormat::Paf, {reverse, P, kAny, 2998, 19999, 253, 1});
  EXPECT_EQ(readRow(InputFormat::Paf, forward).pair.role, HitRole::Plain);
  EXPECT_EQ(readRow(InputFormat::Paf, mirror).pair.role, HitRole::Mirror);
  EXPECT_EQ(readRow(InputFormat::Paf, onItself).pair.role, HitRole::OnItself);
  EXPECT_EQ(readRow(InputFormat::Paf, palindrome).pair.role, HitRole::Plain);
  EXPECT_EQ(readRow(InputFormat::Paf, forward).pair.identity, 100.0);
  EXPECT_EQ(readRow(InputFormat::Paf, "s\t90\t1\t4\t+\ts\t90\t6\t9\t2\t3\t0").pair.identity, 66.67);
  EXPECT_LT(readRow(InputFormat::Paf, "s\t90\t1\t4\t+\ts\t90\t6\t9\t0\t0\t0").pair.identity, 0);
  // Between two sequences nothing is a mirror: the one-axis rule decides.
  EXPECT_EQ(readRow(InputFormat::Paf, "a\t900\t500\t600\t+\tb\t900\t100\t200\t100\t100\t0").pair.role, HitRole::Plain);

  const RowCase bad[] = {
      {"s\t30000\t10\t20\t+\ts\t30000\t30\t40\t10\t10", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t30000\t10\t20\t*\ts\t30000\t30\t40\t10\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t30000\tten\t20\t+\ts\t30000\t30\t40\t10\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t30000\t20\t10\t+\ts\t30000\t30\t40\t10\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t300\t10\t20\t+\ts\t30\t30\t40\t10\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t30000\t10\t20\t+\ts\t30000\t30\t40\t11\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"s\t30000\t10\t20\t+\ts\t30000\t30\t40\t*\t10\t0", S, SkipReason::Malformed, 0, 0, 0, 0},
  };
  for (const RowCase& c : bad) expectRow(InputFormat::Paf, c);
}

TEST(FormatDetection, TellsEachFormatFromItsFirstTellingLine) {
  struct DetectCase {
    const char* line;
    Detection detection;
    InputFormat format;
  };
  const DetectCase cases[] = {
      {"Long Exact Matches:", Detection::Decided, InputFormat::RepeatMatch},
      {"", Detection::LookFurther, InputFormat::Unknown},
      {"# comment", Detection::LookFurther, InputFormat::Unknown},
      {"track name=x", Detection::LookFurther, InputFormat::Unknown},
      {"chr1\t1\t2\tchr1\t3\t4", Detection::Decided, InputFormat::Bedpe},
      {"chr1\t-1\t-1\tchr1\t3\t4", Detection::Decided, InputFormat::Bedpe},
      // Chromosome names that are numbers do not make a 12-column BEDPE row look like PAF.
      {"1\t100\t200\t1\t300\t400\tn\t0\t+\t-\tx\ty", Detection::Decided, InputFormat::Bedpe},
      {"s\t900\t1\t2\t-\ts\t900\t3\t4\t1\t1\t0", Detection::Decided, InputFormat::Paf},
      {"     1000       5000       301", Detection::CannotTell, InputFormat::Unknown},
      {"hello", Detection::CannotTell, InputFormat::Unknown},
  };
  for (const DetectCase& c : cases) {
    SCOPED_TRACE(c.line);
    InputFormat format = InputFormat::Unknown;
    EXPECT_EQ(detectFormat(c.line, format), c.detection);
    EXPECT_EQ(format, c.format);
  }
  EXPECT_EQ(formatNamed("bedpe"), InputFormat::Bedpe);
  EXPECT_EQ(formatNamed("BEDPE"), InputFormat::Unknown);
  EXPECT_STREQ(formatName(formatNamed("repeat-match")), "repeat-match");
}

}  // namespace
