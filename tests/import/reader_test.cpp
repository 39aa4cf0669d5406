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

TEST(PafReader, MarksSelfHitsOfASelfAlignment) {
  const char* forward = "s\t30000\t10000\t10240\t+\ts\t30000\t10120\t10360\t240\t240\t0\ttp:A:S";
  const char* mirror = "s\t30000\t10120\t10360\t+\ts\t30000\t10000\t10240\t240\t240\t0\ttp:A:S";
  const char* reverse = "s\t30000\t2998\t3251\t-\ts\t30000\t19999\t20252\t253\t253\t0";
  const char* onItself = "s\t30000\t5\t29994\t+\ts\t30000\t5\t29994\t29989\t29989\t60";
  const char* palindrome = "s\t30000\t25000\t25300\t-\ts\t30000\t25000\t25300\t300\t300\t0";
  expectRow(InputFormat::Paf, {forward, P, kAny, 10000, 10120, 240, 0});
  expectRow(InputFormat::Paf, {reverse, P, kAny, 2998, 19999, 253, 1});
  // Whether a hit is a twin only the import can tell, from the hits before it.
  EXPECT_EQ(readRow(InputFormat::Paf, forward).pair.role, HitRole::Hit);
  EXPECT_EQ(readRow(InputFormat::Paf, mirror).pair.role, HitRole::Hit);
  EXPECT_EQ(readRow(InputFormat::Paf, onItself).pair.role, HitRole::OnItself);
  EXPECT_EQ(readRow(InputFormat::Paf, palindrome).pair.role, HitRole::Hit);
  EXPECT_EQ(readRow(InputFormat::Paf, forward).pair.identity, 100.0);
  EXPECT_EQ(readRow(InputFormat::Paf, "s\t90\t1\t4\t+\ts\t90\t6\t9\t2\t3\t0").pair.identity, 66.67);
  EXPECT_LT(readRow(InputFormat::Paf, "s\t90\t1\t4\t+\ts\t90\t6\t9\t0\t0\t0").pair.identity, 0);

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

// Rows as blastn -outfmt 6/7 and show-coords print them (the real tools run in the
// planted-repeat test): 1-based inclusive, the reverse copy's ends swapped.
TEST(BlastAndCoordsReaders, ConvertRowsMarkSelfHitsAndReadIdentity) {
  const RowCase blast[] = {
      {"# BLASTN 2.12.0+", I, kAny, 0, 0, 0, 0},
      {"# Fields: query acc.ver, subject acc.ver, % identity", I, kAny, 0, 0, 0, 0},
      {"chrA\tchrA\t100.000\t500\t0\t0\t2001\t2500\t9001\t9500\t0.0\t924", P, kAny, 2000, 9000, 500, 0},
      {"chrA\tchrA\t98.123\t799\t15\t0\t15001\t15799\t24800\t24002\t0.0\t1393", P, kAny, 15000, 24001, 799, 1},
      {"chrA\tchrA\t98.1\t799\t15\t0\t15001\t15799\t24800", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"chrA\tchrA\t101.0\t799\t15\t0\t15001\t15799\t24800\t24002\t0.0\t1", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"chrA\tchrA\t98.1\t799\t15\t0\t15001\t1579x\t24800\t24002\t0.0\t1", S, SkipReason::Malformed, 0, 0, 0, 0},
  };
  for (const RowCase& c : blast) expectRow(InputFormat::Blast, c);
  EXPECT_EQ(readRow(InputFormat::Blast, blast[3].line).pair.identity, 98.12);
  EXPECT_EQ(readRow(InputFormat::Blast, "a\ta\t98.005\t9\t0\t0\t1\t9\t20\t28\t1e-5\t9.5").pair.identity, 98.01);
  EXPECT_EQ(readRow(InputFormat::Blast, "a\ta\t100.000\t9\t0\t0\t1\t9\t1\t9\t1e-5\t9").pair.role, HitRole::OnItself);

  const RowCase coords[] = {
      {"/tmp/g.fa /tmp/g.fa", I, kAny, 0, 0, 0, 0},
      {"NUCMER", I, kAny, 0, 0, 0, 0},
      {"    [S1]     [E1]  |     [S2]     [E2]  |  [LEN 1]  [LEN 2]  |  [% IDY]  | [TAGS]", I, kAny, 0, 0, 0, 0},
      {"=====================================================================================", I, kAny, 0, 0, 0, 0},
      {"[S1]\t[E1]\t[S2]\t[E2]\t[LEN 1]\t[LEN 2]\t[% IDY]\t[TAGS]", I, kAny, 0, 0, 0, 0},
      {"    2001     2500  |     9001     9500  |      500      500  |   100.00  | chrA\tchrA", P, kAny, 2000, 9000, 500, 0},
      {"15001\t15799\t24800\t24002\t799\t799\t98.12\tchrA\tchrA", P, kAny, 15000, 24001, 799, 1},
      // -c and -l add columns before the tags.
      {"2001 2500 | 9001 9500 | 500 500 | 100.00 | 30000 30000 | 1.67 1.67 | chrA\tchrA", P, kAny, 2000, 9000, 500, 0},
      {"15001\t15799\t24800\t24002\t799\t799\t98.12\tchrA", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"15001\t15799\t24800\t24002\t790\t799\t98.12\tchrA\tchrA", S, SkipReason::Malformed, 0, 0, 0, 0},
      {"12 34", S, SkipReason::Malformed, 0, 0, 0, 0},
  };
  for (const RowCase& c : coords) expectRow(InputFormat::Coords, c);
  RowResult row = readRow(InputFormat::Coords, coords[7].line);
  EXPECT_EQ(row.pair.seq1, "chrA");
  EXPECT_EQ(row.pair.seq2, "chrA");
  EXPECT_EQ(row.pair.identity, 100.0);
  EXPECT_EQ(readRow(InputFormat::Coords, "1\t90\t1\t90\t90\t90\t100.00\ta\ta").pair.role, HitRole::OnItself);
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
      {"# BLASTN 2.12.0+", Detection::Decided, InputFormat::Blast},
      {"1\t2\t98.005\t802\t16\t0\t24002\t24803\t15799\t14998\t0.0\t1393", Detection::Decided, InputFormat::Blast},
      {"NUCMER", Detection::Decided, InputFormat::Coords},
      {"    1001     1600  |     4001     4600  |      600      600  |   100.00  | p\tc", Detection::Decided,
       InputFormat::Coords},
      {"1001\t1600\t4001\t4600\t600\t600\t100.00\t1\t2", Detection::Decided, InputFormat::Coords},
      {"/data/a.fa /data/b.fa", Detection::CannotTell, InputFormat::Unknown},  // only as the first line
      {"     1000       5000       301", Detection::CannotTell, InputFormat::Unknown},
      {"hello", Detection::CannotTell, InputFormat::Unknown},
  };
  for (const DetectCase& c : cases) {
    SCOPED_TRACE(c.line);
    InputFormat format = InputFormat::Unknown;
    EXPECT_EQ(detectFormat(c.line, format), c.detection);
    EXPECT_EQ(format, c.format);
  }
  InputFormat first = InputFormat::Unknown;
  EXPECT_EQ(detectFormat("/data/a.fa /data/b.fa", first, true), Detection::LookFurther);
  EXPECT_EQ(formatNamed("bedpe"), InputFormat::Bedpe);
  EXPECT_EQ(formatNamed("blast6"), InputFormat::Blast);
  EXPECT_EQ(formatNamed("BEDPE"), InputFormat::Unknown);
  EXPECT_STREQ(formatName(formatNamed("repeat-match")), "repeat-match");
}

}  // namespace
