#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "load_test_support.h"
#include "record_table.h"
#include "tandem_loader.h"

namespace {

const std::string kEmptySummary = "Count tandem load - 1\nMax len tandem - 0\n";

const TandemRecord& slot(int i) { return recordTable.slots[i]; }

TEST(LoaderPairs, OneTokenBecomesTwoMirroredRecords) {
  EXPECT_EQ(loadBytes("100/200/50/7\n"), "Count tandem load - 3\nMax len tandem - 50\n");
  ASSERT_EQ(recordTable.count, 3);
  EXPECT_EQ(slot(1).pos, 100);
  EXPECT_EQ(slot(1).partner, 200);
  EXPECT_EQ(slot(2).pos, 200);
  EXPECT_EQ(slot(2).partner, 100);
  EXPECT_FLOAT_EQ(slot(1).y, 0.1f);
  EXPECT_FLOAT_EQ(slot(2).y, 0.1f);
  EXPECT_EQ(slot(1).tag, 1u);
  EXPECT_EQ(slot(1).r, slot(2).r);
  EXPECT_EQ(slot(1).g, slot(2).g);
  EXPECT_EQ(slot(1).b, slot(2).b);
  EXPECT_EQ(slot(1).reserved, 0u);
  normalizeRecords();
  EXPECT_EQ(slot(1).len, 7.0f);
  EXPECT_EQ(slot(2).len, 7.0f);
  EXPECT_EQ(slot(1).x, static_cast<float>(100.0f * 0.00001));
  EXPECT_EQ(slot(2).x, static_cast<float>(200.0f * 0.00001));
  EXPECT_NEAR(slot(1).x, 0.001, 1e-9);
}

TEST(LoaderPairs, ColoursTakeThreeRandomValuesPerTokenStoredOrNot) {
  loadBytes("1/2/5 3/4/50 5/6/10 7/8/60");
  std::srand(1);
  int draws[12];
  for (int& d : draws) d = std::rand();
  ASSERT_EQ(recordTable.count, 5);
  EXPECT_EQ(slot(1).r, static_cast<float>(draws[3] % 255) / 255.0f);
  EXPECT_EQ(slot(1).g, static_cast<float>(draws[4] % 255) / 255.0f);
  EXPECT_EQ(slot(1).b, static_cast<float>(draws[5] % 255) / 255.0f);
  EXPECT_EQ(slot(3).r, static_cast<float>(draws[9] % 255) / 255.0f);
  EXPECT_EQ(slot(3).b, static_cast<float>(draws[11] % 255) / 255.0f);
  EXPECT_LE(slot(3).r, 254.0f / 255.0f);
}

TEST(LoaderPairs, BarsAtOnePositionStackInReadingOrderFromEitherSide) {
  loadBytes("5/5/20 5/9/20 9/5/30");
  ASSERT_EQ(recordTable.count, 7);
  const float expectedY[] = {0, 0.1f, 0.2f, 0.3f, 0.1f, 0.2f, 0.4f};
  const int32_t expectedPos[] = {0, 5, 5, 5, 9, 9, 5};
  for (int i = 1; i < 7; ++i) {
    EXPECT_EQ(slot(i).pos, expectedPos[i]) << i;
    EXPECT_FLOAT_EQ(slot(i).y, expectedY[i]) << i;
  }
}

TEST(LoaderLengths, OnlyLengthsAboveTenAreStoredButAllCountForMax) {
  EXPECT_EQ(loadBytes("100/200/10/7"), "Count tandem load - 1\nMax len tandem - 10\n");
  EXPECT_EQ(loadBytes("100/200/11/7"), "Count tandem load - 3\nMax len tandem - 11\n");
  EXPECT_EQ(loadBytes("1/2/0 1/2/-40"), kEmptySummary);
  EXPECT_EQ(loadBytes("100/200"), "Count tandem load - 3\nMax len tandem - 200\n");
  EXPECT_EQ(slot(1).len, 200.0f);
  EXPECT_EQ(loadBytes("100/200/50"), "Count tandem load - 3\nMax len tandem - 50\n");
}

TEST(LoaderLengths, NormalisationScalesToSevenInDoublePrecision) {
  loadBytes("1/2/30 3/4/70 5/6/9 7/8/3");
  normalizeRecords();
  double divisor = 70 / 7.0;
  EXPECT_EQ(slot(1).len, static_cast<float>(30.0f / divisor));
  EXPECT_EQ(slot(3).len, 7.0f);
  EXPECT_EQ(slot(4).len, 7.0f);
  EXPECT_EQ(slot(3).x, static_cast<float>(3.0f * 0.00001));
}

TEST(LoaderLengths, NormalisingAnEmptyTableDoesNothing) {
  loadBytes("");
  normalizeRecords();
  EXPECT_EQ(recordTable.count, 1);
  EXPECT_EQ(recordTable.slots[1].len, 0.0f);
}

TEST(LoaderFiles, EmptyAndWhiteSpaceFilesStoreNothing) {
  EXPECT_EQ(loadBytes(""), kEmptySummary);
  EXPECT_EQ(loadBytes(" \n\t\r\n  \v\f"), kEmptySummary);
  EXPECT_EQ(recordTable.count, 1);
}

TEST(LoaderFiles, LineEndsTabsAndSpacesAllSeparateTokens) {
  const std::string summary = "Count tandem load - 7\nMax len tandem - 30\n";
  EXPECT_EQ(loadBytes("1/2/20/0\n3/4/30/1\n5/6/25/0\n"), summary);
  EXPECT_EQ(loadBytes("1/2/20/0\r\n3/4/30/1\r\n5/6/25/0\r\n"), summary);
  EXPECT_EQ(loadBytes("1/2/20/0\t3/4/30/1 \t 5/6/25/0"), summary);
  EXPECT_EQ(slot(5).pos, 5);
  EXPECT_EQ(slot(6).len, 25.0f);  // the last token, with no line end after it
}

TEST(LoaderFiles, UnreadablePathsPrintUpsAndAnEmptySummary) {
  EXPECT_EQ(loadCapturingSummary(testing::TempDir() + "no_such_file.txt"), "UPS" + kEmptySummary);
  EXPECT_EQ(loadCapturingSummary(testing::TempDir()), "UPS" + kEmptySummary);  // a folder
  EXPECT_EQ(recordTable.count, 1);
}

TEST(LoaderFiles, LongTokensAndNulBytesAreReadSafely) {
  std::string longToken = "100/200/50/" + std::string(10000, 'x');
  EXPECT_EQ(loadBytes(longToken + " 3/4/" + std::string(10000, '9')),
            "Count tandem load - 5\nMax len tandem - 2147483647\n");
  EXPECT_EQ(slot(1).len, 50.0f);
  // A NUL ends the token's text, as it ends a C string: the length field is never reached.
  EXPECT_EQ(loadBytes(std::string("100/200\0/50 7/8/90", 18)), "Count tandem load - 5\nMax len tandem - 200\n");
  EXPECT_EQ(slot(1).len, 200.0f);
}

TEST(LoaderPositions, EveryInt32PositionIsStoredAndStacked) {
  loadBytes("-5/2147483647/20 300000000/-5/20 999999999999999999999/-99999999999999999999/20");
  ASSERT_EQ(recordTable.count, 7);
  EXPECT_EQ(slot(1).pos, -5);
  EXPECT_EQ(slot(2).pos, INT32_MAX);
  EXPECT_EQ(slot(3).pos, 300000000);
  EXPECT_FLOAT_EQ(slot(4).y, 0.2f);  // second bar at -5
  EXPECT_EQ(slot(5).pos, INT32_MAX);
  EXPECT_FLOAT_EQ(slot(5).y, 0.2f);
  EXPECT_EQ(slot(6).pos, INT32_MIN);
  normalizeRecords();
  EXPECT_EQ(slot(6).x, static_cast<float>(static_cast<float>(INT32_MIN) * 0.00001));
}

std::string pairs(int n, const char* token) {
  std::string bytes;
  for (int i = 0; i < n; ++i) bytes += token;
  return bytes;
}

TEST(LoaderLimit, TheLastPairThatFitsFillsTheTableWithoutTheLimitLine) {
  EXPECT_EQ(loadBytes(pairs(249999, "7/9/11\n")), "Count tandem load - 499999\nMax len tandem - 11\n");
  EXPECT_EQ(slot(499998).pos, 9);
  EXPECT_FLOAT_EQ(slot(499998).y, 24999.9f);
}

TEST(LoaderLimit, PairsPastTheTableAreRefusedButStillCountForMax) {
  std::string bytes = pairs(250000, "7/9/11\n") + "1/2/5\n1/2/77\n";
  EXPECT_EQ(loadBytes(bytes),
            "Count tandem load - 499999\nMax len tandem - 77\nVersion limit tandem - 500000!\n");
  normalizeRecords();
  EXPECT_LT(slot(499998).len, 7.0f);
  EXPECT_EQ(slot(499999).pos, 0);  // the slot past the last pair stays empty
}

}  // namespace
