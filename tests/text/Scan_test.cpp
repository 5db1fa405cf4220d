#include "text/Scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

TEST(ScanInt, FollowsPercentDPercentCWithTheExactValue) {
  const struct {
    std::string line;
    int count;
    std::string decimal;
  } cases[] = {
      {"", -1, ""},
      {" \t", -1, ""},
      {"7", 1, "7"},
      {"  +7", 1, "7"},
      {"-007", 1, "-7"},
      {"-0", 1, "0"},
      {"000", 1, "0"},
      {"7 ", 2, "7"},
      {"7x", 2, "7"},
      {"0x10", 2, "0"},
      {"+", 0, ""},
      {"- 5", 0, ""},
      {"x7", 0, ""},
      {"4294967297", 1, "4294967297"},
      {"-18446744073709551617", 1, "-18446744073709551617"},
      {std::string("3\0", 2), 2, "3"},
      {std::string("\0"
                   "3",
                   2),
       0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    const TScannedInt scanned = scanInt(c.line);
    EXPECT_EQ(c.count, scanned.count);
    if (c.count >= 1) {
      EXPECT_EQ(c.decimal, scanned.decimal());
    }
  }
}

TEST(ScanInt, WithinComparesTheExactValue) {
  int value = -99;
  EXPECT_TRUE(scanInt("6").within(1, 6, value));
  EXPECT_EQ(6, value);
  value = -99;
  for (std::string line : {"0", "7", "4294967297", "4294967302", "-4294967295", "99999999999"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(scanInt(line).within(1, 6, value));
  }
  EXPECT_EQ(-99, value);
  EXPECT_TRUE(scanInt("-2147483648").within(INT32_MIN, 0, value));
  EXPECT_EQ(INT32_MIN, value);
}

// Within the int range, the count and value are those of the C library's scan.
TEST(ScanInt, AgreesWithTheLibraryInsideTheIntRange) {
  std::mt19937 random(7);
  const std::string alphabet = " \t+-0123456789x.";
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    const int length = random() % 8;
    for (int k = 0; k < length; ++k) line += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(line);
    int expected = 0;
    char dummy;
    const int count = std::sscanf(line.c_str(), "%d%c", &expected, &dummy);
    const TScannedInt scanned = scanInt(line);
    EXPECT_EQ(count, scanned.count);
    int value = 0;
    if (count >= 1) {
      ASSERT_TRUE(scanned.within(INT32_MIN, INT32_MAX, value));
      EXPECT_EQ(expected, value);
    }
  }
}

TEST(ScanReal, ANulByteIsAnOrdinaryCharacter) {
  double x = -1, y = -1;
  EXPECT_EQ(1, scanReal("0.5", x));
  EXPECT_EQ(0.5, x);
  EXPECT_EQ(2, scanReal(std::string("0.5\0", 4), x));
  EXPECT_EQ(2, scanReal(std::string("0.5\0junk", 8), x));
  EXPECT_EQ(0, scanReal(std::string("\0"
                                    "0.5",
                                    4),
                        x));
  EXPECT_EQ(-1, scanReal("  ", x));

  EXPECT_EQ(2, scanRealPair("0.5 0.25", x, y));
  EXPECT_EQ(0.25, y);
  EXPECT_EQ(2, scanRealPair("0.5-0.25", x, y));
  EXPECT_EQ(-0.25, y);
  EXPECT_EQ(3, scanRealPair("0.5 0.5 ", x, y));
  EXPECT_EQ(3, scanRealPair(std::string("0.5 0.5\0", 8), x, y));
  EXPECT_EQ(1, scanRealPair(std::string("0.5\0"
                                        "0.5",
                                        7),
                            x, y));
  EXPECT_EQ(1, scanRealPair(std::string("0.5 \0"
                                        "0.5",
                                        8),
                            x, y));
  EXPECT_EQ(0, scanRealPair(std::string("\0", 1), x, y));
}

}  // namespace
