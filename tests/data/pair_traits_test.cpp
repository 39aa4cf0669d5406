// Orientation, identity and the copies' lengths kept beside the records: both token readers
// agree, absent fields stay unknown (or equal), and the records, draws and summary are those
// of the four-field list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "load_test_support.h"
#include "bar_records.h"
#include "pair_traits.h"
#include "record_table.h"
#include "tandem_scanner.h"

namespace {

uint8_t orientationOf(int pair) { return pairTraits.orientation[pair]; }
uint16_t identityOf(int pair) { return pairTraits.identity[pair]; }

TEST(PairTraits, IdentityTextRoundsToHundredthsAndRefusesNonsense) {
  EXPECT_EQ(parseIdentity("99.10"), 9910);
  EXPECT_EQ(parseIdentity("99.1"), 9910);
  EXPECT_EQ(parseIdentity("100"), 10000);
  EXPECT_EQ(parseIdentity("0.5"), 50);
  EXPECT_EQ(parseIdentity("98.765"), 9877);
  EXPECT_EQ(parseIdentity("99.995"), 10000);
  EXPECT_EQ(parseIdentity("100.01"), kIdentityUnknown);
  EXPECT_EQ(parseIdentity(""), kIdentityUnknown);
  EXPECT_EQ(parseIdentity("9a"), kIdentityUnknown);
  EXPECT_EQ(parseIdentity("9.9.9"), kIdentityUnknown);
}

TEST(PairTraits, FourthAndFifthFieldsCountOnlyWhenPresentOnEitherReader) {
  // The '+', the empty field and the letters send tokens through the general walk.
  loadBytes("1/2/50/1/99.10 3/4/50/0 5/6/50 7/8/50/7/80 +9/10/50/1/98.765 11/12/50//99 13/14/50/1/abc "
            "15/16/50/1/101 17;18;50;1;42.5");
  ASSERT_EQ(recordTable.count, 19);
  const uint8_t orientation[] = {0, kInverted, kSameStrand, kOrientationUnknown, kOrientationUnknown,
                                 kInverted, kSameStrand, kInverted, kInverted, kInverted};
  const uint16_t identity[] = {0, 9910, kIdentityUnknown, kIdentityUnknown, 8000, 9877, 9900,
                               kIdentityUnknown, kIdentityUnknown, 4250};
  for (int pair = 1; pair <= 9; ++pair) {
    EXPECT_EQ(orientationOf(pair), orientation[pair]) << "pair " << pair;
    EXPECT_EQ(identityOf(pair), identity[pair]) << "pair " << pair;
  }
  EXPECT_EQ(pairTraits.withIdentity, 5);
  EXPECT_EQ(pairOfSlot(17), 9);
  EXPECT_EQ(pairOfSlot(18), 9);
  resetTandemData();
  EXPECT_EQ(pairTraits.withIdentity, 0);
}

TEST(PairTraits, RefusedTokensTakeNoPairAndChunksSplitNothing) {
  loadBytes("1/2/5/1/50 3/4/60/1/70");
  ASSERT_EQ(recordTable.count, 3);
  EXPECT_EQ(identityOf(1), 7000);

  resetTandemData();
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  for (const char* piece : {"5/6/70/1/9", "9.5 7/8/", "70/0/12", ".25/-", "11"})
    scanTandemBytes(scanner, piece, std::strlen(piece));
  finishTandemScan(scanner);
  ASSERT_EQ(recordTable.count, 5);
  EXPECT_EQ(identityOf(1), 9950);
  EXPECT_EQ(orientationOf(2), kSameStrand);
  EXPECT_EQ(identityOf(2), 1225);
  EXPECT_EQ(pairTraits.difference[2], -11);
}

TEST(PairTraits, RecordsDrawsAndSummaryAreThoseOfTheFourFieldList) {
  std::string withIdentity = loadBytes("1/2/50/1/99.10 3/4/60/0/80 5/6/8/1/70 7/8/90/1/+5\n");
  TandemRecord first[4];
  std::memcpy(first, recordTable.slots + 1, sizeof first);
  std::string plain = loadBytes("1/2/50/1 3/4/60/0 5/6/8/1 7/8/90/1\n");
  EXPECT_EQ(withIdentity, plain);
  EXPECT_EQ(std::memcmp(first, recordTable.slots + 1, sizeof first), 0);
}

TEST(PairTraits, SixthFieldGivesEachCopyItsLengthOnEitherReader) {
  // The '+' and the "-x" send tokens through the general walk; "." is an unknown identity.
  std::string sixFields = loadBytes("1/2/50/1/99.10/-3 3/4/50/0/./7 5/6/50 +7/8/50/1/./-4 9/10/50/0/80/51 "
                                    "11;12;50;0;90;-49 13/14/50/0/./-x 15/16/50/0/./-2/9\n");
  ASSERT_EQ(recordTable.count, 17);
  const int32_t difference[] = {0, -3, 7, 0, -4, 0, -49, 0, -2};
  for (int pair = 1; pair <= 8; ++pair) EXPECT_EQ(pairTraits.difference[pair], difference[pair]) << "pair " << pair;
  EXPECT_EQ(identityOf(1), 9910);
  EXPECT_EQ(identityOf(2), kIdentityUnknown);
  EXPECT_EQ(identityOf(4), kIdentityUnknown);
  EXPECT_EQ(pairTraits.withIdentity, 3);
  EXPECT_EQ(firstCopyLength(50, 7), 43);
  EXPECT_EQ(partnerCopyLength(50, 7), 50);
  EXPECT_EQ(firstCopyLength(50, -3), 50);
  EXPECT_EQ(partnerCopyLength(50, -3), 47);

  TandemRecord first[16];
  std::memcpy(first, recordTable.slots + 1, sizeof first);
  std::string threeFields = loadBytes("1/2/50 3/4/50 5/6/50 7/8/50 9/10/50 11/12/50 13/14/50 15/16/50\n");
  EXPECT_EQ(sixFields, threeFields);
  EXPECT_EQ(std::memcmp(first, recordTable.slots + 1, sizeof first), 0);
}

// Past the pair bound the pairs that stay keep their copies' lengths, the held and the new.
TEST(PairTraits, TheLongestPairsKeepTheirCopiesLengths) {
  resetTandemData();
  std::string text = "1/8/20/0/./-3\n2/9/20/0/./-3\n3/10/20/0/./-3\n5/900/60/1/98.5/8\n";
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  scanner.keepLongest = true;
  scanner.maxPairs = 3;
  scanTandemBytes(scanner, text.data(), text.size());
  finishTandemScan(scanner);
  ASSERT_EQ(barSlotEnd(), 7);
  EXPECT_EQ(pairDifferenceOf(1), -3);
  EXPECT_EQ(barPosition(5), 5);
  EXPECT_EQ(pairDifferenceOf(3), 8);
  EXPECT_EQ(pairDifferenceOf(2), -3);
  EXPECT_EQ(barPosition(3), 2);
  resetTandemData();
}

}  // namespace
