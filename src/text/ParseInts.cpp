#include "text/ParseInts.h"

#include <climits>

#include "base/Assertion.h"
#include "text/Chars.h"

void parseInts(const std::string& line, std::vector<int>& values, bool allowNegative, int lineNo) {
  values.clear();
  const std::size_t n = line.size();
  std::size_t i = 0;
  while (i < n) {
    if (isBlank(line[i])) {
      ++i;
      continue;
    }
    const bool negative = line[i] == '-';
    if (negative) {
      CHECK(allowNegative, 49, "namesto stevke se v ", lineNo,
            ". vrstici pojavlja znak '-' (minus)");
      ++i;
      CHECK(i < n, 50, lineNo, ". vrstica se konca z znakom '-' (minus)");
    }
    const unsigned char first = line[i];
    CHECK(isDigit(first), 51, "namesto stevke se v ", lineNo, ". vrstici pojavlja znak s kodo ",
          static_cast<int>(first));
    int x = negative ? -(first - '0') : first - '0';
    ++i;
    // The bound is tested before each step, so x never leaves the int range.
    while (i < n && isDigit(line[i])) {
      const char c = line[i];
      const int d = c - '0';
      if (negative) {
        CHECK(x > INT_MIN / 10 || (x == INT_MIN / 10 && d <= -(INT_MIN % 10)), 57, "stevilo ", x, c,
              " (v ", lineNo, ". vrstici) je premajhno (manjse od ", INT_MIN, ")");
        x = 10 * x - d;
      } else {
        CHECK(x < INT_MAX / 10 || (x == INT_MAX / 10 && d <= INT_MAX % 10), 58, "stevilo ", x, c,
              " (v ", lineNo, ". vrstici) je preveliko (vecje od ", INT_MAX, ")");
        x = 10 * x + d;
      }
      ++i;
    }
    values.push_back(x);
  }
}
