// Orientation and identity kept beside the records: both token readers agree, absent fields
// stay unknown, and the records, draws and summary are those of the four-field list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "load_test_support.h"
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
  for (const char* piece : {"5/6/70/1/9", "9.5 7/8/", "70/0/12", ".25"}) scanTandemBytes(scanner, piece, std::strlen(piece));
  finishTandemScan(scanner);
  ASSERT_EQ(recordTable.count, 5);
  EXPECT_EQ(identityOf(1), 9950);
  EXPECT_EQ(orientationOf(2), kSameStrand);
  EXPECT_EQ(identityOf(2), 1225);
}

TEST(PairTraits, RecordsDrawsAndSummaryAreThoseOfTheFourFieldList) {
  std::string withIdentity = loadBytes("1/2/50/1/99.10 3/4/60/0/80 5/6/8/1/70 7/8/90/1/+5\n");
  TandemRecord first[4];
  std::memcpy(first, recordTable.slots + 1, sizeof first);
  std::string plain = loadBytes("1/2/50/1 3/4/60/0 5/6/8/1 7/8/90/1\n");
  EXPECT_EQ(withIdentity, plain);
  EXPECT_EQ(std::memcmp(first, recordTable.slots + 1, sizeof first), 0);
}

}  // namespace
