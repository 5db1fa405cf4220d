#include "text/Scan.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <limits>
#include <random>

#include "support/Bits.h"

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
      {"9223372036854775808", 1, "9223372036854775808"},
      {"-9223372036854775809", 1, "-9223372036854775809"},
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
  for (std::string line : {"0", "7", "4294967297", "4294967302", "-4294967295", "99999999999",
                           "9223372036854775808", "-99999999999999999999"}) {
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

using Random = std::mt19937_64;

int below(Random& random, int n) { return static_cast<int>(random() % n); }

// A number as contestants and careless programs write them: 1 to 40 digits,
// at most one point, maybe a sign, maybe an exponent up to the limits of a
// double and beyond (subnormals, overflow).
std::string randomDecimal(Random& random) {
  std::string text;
  if (below(random, 4) == 0) text += below(random, 2) ? '-' : '+';
  const int digits = 1 + below(random, 40);
  const int point = below(random, 3) == 0 ? -1 : below(random, digits + 1);
  for (int i = 0; i < digits; ++i) {
    if (i == point) text += '.';
    text += static_cast<char>('0' + below(random, 10));
  }
  if (point == digits) text += '.';
  if (below(random, 3) == 0) {
    const int limits[] = {0, 1, 5, 17, 300, 307, 308, 309, 320, 323, 324, 325, 400, 99999};
    text += below(random, 2) ? 'e' : 'E';
    if (below(random, 2)) text += below(random, 2) ? '-' : '+';
    text += std::to_string(limits[below(random, 14)] + below(random, 3));
  }
  return text;
}

std::string randomBlanks(Random& random) {
  const char blanks[] = " \t\v\f\r";
  std::string text;
  for (int n = below(random, 4) == 0 ? below(random, 3) : 0; n > 0; --n)
    text += blanks[below(random, 5)];
  return text;
}

// One byte inserted, replaced or removed, from the bytes that matter to a
// number's form.
std::string mutated(Random& random, std::string text) {
  const char bytes[] = "0123456789.eE+-xXpPinfaINFA \t,;#";
  const char byte = bytes[below(random, sizeof bytes - 1)];
  const std::size_t at = random() % (text.size() + 1);
  switch (below(random, 3)) {
    case 0:
      text.insert(at, 1, byte);
      break;
    case 1:
      if (at < text.size()) text[at] = byte;
      break;
    default:
      if (at < text.size()) text.erase(at, 1);
  }
  return text;
}

// The unusual forms, as the grading platform's "%lf%c" takes them: the
// count, and the value where one is assigned. A form that breaks off after
// its first byte is no number at all; a dangling exponent is taken and
// ignored; "0x." is 0.
TEST(ScanReal, TakesTheUnusualFormsAsThePlatformsScan) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::string line;
    int count;
    double value;
  } cases[] = {
      {"nan", 1, nan},
      {"-NaN", 1, -nan},
      {"nan(1)", 2, nan},
      {"na", 0, 0},
      {"inf", 1, inf},
      {"-Infinity", 1, -inf},
      {"infx", 2, inf},
      {"infi", 0, 0},
      {"infinit", 0, 0},
      {"0x1.8p1", 1, 3},
      {"0X.8", 1, 0.5},
      {"-0x1p-1074", 1, -0x1p-1074},
      {"0x", 0, 0},
      {"0xg", 0, 0},
      {"0xp1", 0, 0},
      {"0x.", 1, 0},
      {"0x.p1", 2, 0},
      {"0x1p", 1, 1},
      {"0x1p+", 1, 1},
      {"0x1e+5", 2, 30},
      {"00x1", 2, 0},
      {"1e", 1, 1},
      {"1e+", 1, 1},
      {"1ex", 2, 1},
      {"1.e5", 1, 1e5},
      {".5", 1, 0.5},
      {"5.", 1, 5},
      {".", 0, 0},
      {".e5", 0, 0},
      {"+", 0, 0},
      {"+-1", 0, 0},
      {"1..2", 2, 1},
      {"1e5.5", 2, 1e5},
      {"1e99999999999999999999", 1, inf},
      {"-1e400", 1, -inf},
      {"1e-99999999999999999999", 1, 0},
      {"2e-324", 1, 0},
      {"2.5e-324", 1, 0x1p-1074},
      {"0e99999999999", 1, 0},
      {"0x1p99999", 1, inf},
      {"0x1p-99999", 1, 0},
      {"0x0.00000000001p+1000", 1, 0x1p956},
      // Long hexadecimal mantissas: each digit weighs four powers of 2.
      {"0x1" + std::string(1000, '0') + "p-2000", 1, inf},
      {"0x0." + std::string(1000, '0') + "1p+2000", 1, 0},
      {"0x1fffffffffffff" + std::string(1000, '0') + "p-3029", 1, DBL_MAX},
      {"0x20000000000000" + std::string(1000, '0') + "p-3029", 1, inf},
      {"0x0." + std::string(300, '0') + "1p+1200", 1, 0x1p-4},
      {"1" + std::string(400, '0'), 1, inf},
      {"0." + std::string(400, '0') + "1", 1, 0},
      {" \t\v\f\r1", 1, 1},
      {"1\t", 2, 1},
      {std::string("1\0", 2), 2, 1},
      {"", -1, 0},
      {" \t", -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    double value = -7;
    EXPECT_EQ(c.count, scanReal(c.line, value));
    if (c.count >= 1) {
      EXPECT_TRUE(sameBits(c.value, value)) << value;
    }
  }
}

// The pair's second number may follow the first directly, through a sign or
// a dangling exponent's blank.
TEST(ScanRealPair, TakesWhatFollowsTheFirstNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::string line;
    int count;
    double x, y;
  } cases[] = {
      {"1e 2", 2, 1, 2},  {"1e+ 2", 2, 1, 2},       {"1-2", 2, 1, -2}, {"1e-2-3", 2, 0.01, -3},
      {"0x. 1", 2, 0, 1}, {"inf nan", 2, inf, nan}, {"1 2 ", 3, 1, 2}, {"1e1e1", 1, 10, 0},
      {"1 .", 1, 1, 0},   {"1 0x", 1, 1, 0},        {"1", 1, 1, 0},    {"x", 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    double x = -7, y = -7;
    EXPECT_EQ(c.count, scanRealPair(c.line, x, y));
    if (c.count >= 2) {
      EXPECT_TRUE(sameBits(c.x, x) && sameBits(c.y, y)) << x << " " << y;
    }
  }
}

// Lines of the tokens that make the unusual forms, in any order.
std::string randomForms(Random& random) {
  const char* const tokens[] = {"0x", "0X", "inf", "INFINITY", "nan", "e", "E", "p", "P", "+",
                                "-",  ".",  "0",   "1",        "9",   "a", "f", "x", " ", "\t"};
  std::string text;
  for (int n = 1 + below(random, 6); n > 0; --n) text += tokens[below(random, 20)];
  return text;
}

// The fast conversion must give exactly what the library's scan gives: the
// same count and, where a value is assigned, the same bits.
TEST(ScanReal, AgreesWithTheLibrarysScan) {
  Random random(5);
  for (int i = 0; i < 200000; ++i) {
    std::string line =
        randomBlanks(random) + (i % 4 == 0 ? randomForms(random) : randomDecimal(random));
    if (below(random, 8) == 0) line += randomBlanks(random);
    if (below(random, 3) == 0) line = mutated(random, line);
    SCOPED_TRACE(line);
    double expected = -7, actual = -7;
    char dummy;
    const int count = std::sscanf(line.c_str(), "%lf%c", &expected, &dummy);
    ASSERT_EQ(count, scanReal(line, actual));
    if (count >= 1) {
      ASSERT_TRUE(sameBits(expected, actual)) << expected << " " << actual;
    }
  }
}

TEST(ScanRealPair, AgreesWithTheLibrarysScan) {
  Random random(6);
  for (int i = 0; i < 200000; ++i) {
    const std::string y = i % 4 == 0 ? randomForms(random) : randomDecimal(random);
    const std::string between = below(random, 4) == 0 ? "" : " " + randomBlanks(random);
    std::string line = randomBlanks(random) + randomDecimal(random) + between + y;
    if (below(random, 8) == 0) line += randomBlanks(random);
    if (below(random, 3) == 0) line = mutated(random, line);
    SCOPED_TRACE(line);
    double ex = -7, ey = -7, ax = -7, ay = -7;
    char dummy;
    const int count = std::sscanf(line.c_str(), "%lf %lf%c", &ex, &ey, &dummy);
    ASSERT_EQ(count, scanRealPair(line, ax, ay));
    if (count >= 1) {
      ASSERT_TRUE(sameBits(ex, ax)) << ex << " " << ax;
    }
    if (count >= 2) {
      ASSERT_TRUE(sameBits(ey, ay)) << ey << " " << ay;
    }
  }
}

}  // namespace
