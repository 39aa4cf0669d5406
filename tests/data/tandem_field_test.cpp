#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "literal_loader.h"
#include "tandem_field.h"

namespace {

struct FieldCase {
  const char* token;
  int32_t first, second, third;
};

// The walk's quirks: where a field ends, what an empty or missing field reads as.
const FieldCase kCases[] = {
    {"100/200/50/7", 100, 200, 50},
    {"100;200;50;7", 100, 200, 50},
    {"100;200/50;7", 100, 200, 50},
    {"/5/6", 5, 6, 6},          // a leading separator ends nothing
    {"//5", 0, 5, 5},           // ...but the second of two does
    {"5//6", 5, 0, 6},          // two in a row make an empty field
    {"5/6/", 5, 6, 0},          // a trailing one makes an empty last field
    {"123", 123, 123, 123},     // a field past the last gives the last
    {"100/200", 100, 200, 200},
    {"-12/+7/x9", -12, 7, 0},   // signs; no leading digits reads as 0
    {"12abc/7q/--3", 12, 7, 0}, // conversion stops at the first other character
    {"abc", 0, 0, 0},
    {"1/2/3/4/5/6", 1, 2, 3},
};

TEST(TandemField, WalksFieldsAsTheListFormatDefines) {
  for (const FieldCase& c : kCases) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(tandemField(c.token, 1), c.first);
    EXPECT_EQ(tandemField(c.token, 2), c.second);
    EXPECT_EQ(tandemField(c.token, 3), c.third);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(tandemField(c.token, k), literalTandemField(c.token, k)) << k;
  }
}

TEST(TandemField, FieldsBeyondTheThirdAndOddIndices) {
  EXPECT_EQ(tandemField("1/2/3/4/5", 4), 4);
  EXPECT_EQ(tandemField("1/2/3/4/5", 5), 5);
  EXPECT_EQ(tandemField("1/2/3/4/5", 9), 5);
  EXPECT_EQ(tandemField("1/2/3/4/5", 0), 5);  // no field is number 0: the walk runs out
  EXPECT_EQ(tandemField("", 1), 0);
}

TEST(TandemField, HugeNumbersSaturateInsteadOfOverflowing) {
  EXPECT_EQ(tandemField("2147483647", 1), INT32_MAX);
  EXPECT_EQ(tandemField("2147483648", 1), INT32_MAX);
  EXPECT_EQ(tandemField("-2147483648", 1), INT32_MIN);
  EXPECT_EQ(tandemField("-2147483649", 1), INT32_MIN);
  EXPECT_EQ(tandemField("999999999999999999999999999999/-999999999999999999999999999999/00000000000000000000000000012", 1), INT32_MAX);
  EXPECT_EQ(tandemField("999999999999999999999999999999/-999999999999999999999999999999/00000000000000000000000000012", 2), INT32_MIN);
  EXPECT_EQ(tandemField("999999999999999999999999999999/-999999999999999999999999999999/00000000000000000000000000012", 3), 12);
}

TEST(TandemField, IncrementalWalkMatchesWholeTokenWalk) {
  const std::string token = "//7;;-3/4x/+9;";
  FieldWalk walk;
  startFieldWalk(walk);
  for (char c : token) feedFieldWalk(walk, c);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(fieldWalkValue(walk, k), tandemField(token.c_str(), k)) << k;
}

}  // namespace
