#include "text/ParseInts.h"

#include <gtest/gtest.h>

#include "base/Assertion.h"

namespace {

struct Good {
  std::string line;
  bool allowNegative;
  std::vector<int> values;
};

TEST(ParseInts, AcceptsDecimalIntsBetweenWhiteSpace) {
  const Good cases[] = {
      {"", false, {}},
      {" \t \v\f\r", false, {}},
      {"007", false, {7}},
      {"0", false, {0}},
      {"-0", true, {0}},
      {"  7  ", false, {7}},
      {"1\t2\r3\v4\f5", false, {1, 2, 3, 4, 5}},
      {"2147483647", false, {2147483647}},
      {"-2147483648", true, {INT32_MIN}},
      {"00000000000000000005", false, {5}},
      {"000000000002147483647", false, {2147483647}},
      {"12-3", true, {12, -3}},
      {"-1 -2", true, {-1, -2}},
  };
  for (const Good& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\"");
    std::vector<int> values = {99, 98};  // Must be cleared.
    parseInts(c.line, values, c.allowNegative, 4);
    EXPECT_EQ(c.values, values);
  }
}

struct Bad {
  std::string line;
  bool allowNegative;
  int checkLine;
  std::string message;
};

TEST(ParseInts, RefusesTheFirstBadByteOrOverflowingDigit) {
  const Bad cases[] = {
      {"-1", false, 49, "namesto stevke se v 4. vrstici pojavlja znak '-' (minus)"},
      {"12-3", false, 49, "namesto stevke se v 4. vrstici pojavlja znak '-' (minus)"},
      {"5 -", true, 50, "4. vrstica se konca z znakom '-' (minus)"},
      {"- 5", true, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 32"},
      {"--5", true, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 45"},
      {"+5", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 43"},
      {"3.5", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 46"},
      {"1,2", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 44"},
      {"1x", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 120"},
      {std::string("\0", 1), false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 0"},
      {"\xc4\x8d", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 196"},
      {"\xff", false, 51, "namesto stevke se v 4. vrstici pojavlja znak s kodo 255"},
      {"2147483648", false, 58,
       "stevilo 2147483648 (v 4. vrstici) je preveliko (vecje od 2147483647)"},
      {"99999999999", false, 58,
       "stevilo 9999999999 (v 4. vrstici) je preveliko (vecje od 2147483647)"},
      {"0002147483650", false, 58,
       "stevilo 2147483650 (v 4. vrstici) je preveliko (vecje od 2147483647)"},
      {"-2147483649", true, 57,
       "stevilo -2147483649 (v 4. vrstici) je premajhno (manjse od -2147483648)"},
      {"-30000000000", true, 57,
       "stevilo -3000000000 (v 4. vrstici) je premajhno (manjse od -2147483648)"},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\"");
    std::vector<int> values;
    try {
      parseInts(c.line, values, c.allowNegative, 4);
      ADD_FAILURE() << "accepted";
    } catch (const EAssertion& failure) {
      EXPECT_EQ(c.checkLine, failure.line);
      EXPECT_EQ(c.message, failure.message);
    }
  }
}

}  // namespace
