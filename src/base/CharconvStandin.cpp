// The stand-in for the floating-point conversions of <charconv>, for the
// page's build, whose standard library has none. Decimal texts are read by
// fast_float, which rounds exactly as the standard's from_chars does;
// hexadecimal ones here, since the C library's strtod misrounds some
// subnormals; numbers are written by the C library's printf, which converts
// exactly. Every result must be the standard conversion's, to the last bit.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Charconv.h"
#include "fast_float/fast_float.h"

namespace {

int hexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c |= 0x20;
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// m 2^exponent, where a `sticky` mantissa has more bits below its last,
// rounded to the nearest double, ties to even.
double roundedPower(std::uint64_t m, long long exponent, bool sticky) {
  int length = 64;
  while (!(m >> (length - 1))) --length;
  const long long lead = exponent + length - 1;
  if (lead > 1024) return HUGE_VAL;
  if (lead < -1075) return 0.0;
  // Bits the result keeps: 53, fewer among the subnormals.
  const long long keep = lead >= -1022 ? 53 : lead + 1075;
  if (keep <= 0) {
    // In [2^-1075, 2^-1074): up to the smallest subnormal but at the halfway
    // point itself, which rounds to the even 0.
    const bool halfway = (m & (m - 1)) == 0 && !sticky;
    return halfway ? 0.0 : std::ldexp(1.0, -1074);
  }
  if (length <= keep) return std::ldexp(static_cast<double>(m), static_cast<int>(exponent));
  const int drop = length - static_cast<int>(keep);
  std::uint64_t kept = m >> drop;
  const std::uint64_t rest = m & ((std::uint64_t{1} << drop) - 1);
  const std::uint64_t half = std::uint64_t{1} << (drop - 1);
  if (rest > half || (rest == half && (sticky || (kept & 1)))) ++kept;
  // Exact: kept has at most 54 bits, and the scale keeps it on the grid.
  return std::ldexp(static_cast<double>(kept), static_cast<int>(exponent + drop));
}

// As std::from_chars in the hexadecimal format: digits with at most one
// point, then an exponent of 2 after 'p' that is taken only with digits.
std::from_chars_result hexFromChars(const char* first, const char* last, double& value) {
  constexpr int kKeptDigits = 15;  // 60 bits, more than a double's 53 and a rounding bit
  constexpr long long kSaturation = 1000000000;
  std::uint64_t m = 0;
  long long exponent = 0;
  int kept = 0;
  bool any = false, sticky = false, fraction = false;
  const char* p = first;
  for (; p < last; ++p) {
    if (*p == '.' && !fraction) {
      fraction = true;
      continue;
    }
    const int d = hexValue(*p);
    if (d < 0) break;
    any = true;
    if (m == 0 && d == 0) {
      if (fraction && exponent > -kSaturation) exponent -= 4;
    } else if (kept < kKeptDigits) {
      m = 16 * m + d;
      ++kept;
      if (fraction) exponent -= 4;
    } else {
      sticky = sticky || d != 0;
      if (!fraction && exponent < kSaturation) exponent += 4;
    }
  }
  if (!any) return {first, std::errc::invalid_argument};
  if (p < last && (*p | 0x20) == 'p') {
    const char* q = p + 1;
    const bool negative = q < last && *q == '-';
    if (q < last && (*q == '+' || *q == '-')) ++q;
    if (q < last && *q >= '0' && *q <= '9') {
      long long e = 0;
      for (; q < last && *q >= '0' && *q <= '9'; ++q) {
        if (e < kSaturation) e = 10 * e + (*q - '0');
      }
      exponent += negative ? -e : e;
      p = q;
    }
  }
  value = m == 0 ? 0.0 : roundedPower(m, exponent, sticky);
  return {p, std::errc()};
}

bool readsBack(const char* text, double value) {
  double back = 0;
  fast_float::from_chars(text, text + std::strlen(text), back);
  return back == value;
}

// The decimal one unit of the last digit away from `digits`, up or down:
// "1299" up is "1300". False where it would change the number of digits.
bool step(std::string& digits, bool up) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    char& d = digits[i];
    if (up ? d < '9' : d > '0') {
      d = static_cast<char>(d + (up ? 1 : -1));
      return digits[0] != '0';
    }
    d = up ? '0' : '9';
  }
  return false;
}

std::to_chars_result put(char* first, char* last, const std::string& text) {
  if (static_cast<std::size_t>(last - first) < text.size()) {
    return {last, std::errc::value_too_large};
  }
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc()};
}

// The shortest text that reads back as `value`, as std::to_chars writes it:
// the fewest characters, fixed or scientific notation, fixed on a tie, and
// of those the one nearest the value.
std::string shortest(double value) {
  if (!std::isfinite(value) || value == 0) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  std::string digits;
  int exponent = 0;
  for (int precision = 0; precision <= 16 && digits.empty(); ++precision) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", precision, magnitude);
    const char* e = std::strchr(text, 'e');
    std::string nearest(text, static_cast<std::size_t>(e - text));
    if (nearest.size() > 1) nearest.erase(1, 1);  // the point
    exponent = std::atoi(e + 1);
    if (readsBack(text, magnitude)) {
      digits = nearest;
      break;
    }
    // Beside a power of two the doubles below lie closer than those above, so
    // the nearest decimal of these digits may miss while its neighbour reads
    // back; the standard's conversion takes that neighbour.
    for (bool up : {true, false}) {
      std::string neighbour = nearest;
      if (!step(neighbour, up)) continue;
      const std::string candidate = neighbour.substr(0, 1) +
                                    (neighbour.size() > 1 ? "." + neighbour.substr(1) : "") + "e" +
                                    std::to_string(exponent);
      if (readsBack(candidate.c_str(), magnitude)) {
        digits = neighbour;
        break;
      }
    }
  }
  // The trailing zeros of a printed mantissa are not significant.
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int n = static_cast<int>(digits.size());
  std::string scientific = digits.substr(0, 1) + (n > 1 ? "." + digits.substr(1) : "");
  const int shown = exponent < 0 ? -exponent : exponent;
  scientific +=
      std::string(exponent < 0 ? "e-" : "e+") + (shown < 10 ? "0" : "") + std::to_string(shown);
  std::string fixed;
  if (exponent < 0) {
    fixed = "0." + std::string(-exponent - 1, '0') + digits;
  } else if (exponent >= n - 1) {
    // An integer: its exact digits, as long as the shortest ones with zeros,
    // and nearer the value.
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", magnitude);
    fixed = text;
  } else {
    fixed = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
  }
  return (negative ? "-" : "") + (fixed.size() <= scientific.size() ? fixed : scientific);
}

}  // namespace

namespace charconv {

std::from_chars_result fromChars(const char* first, const char* last, double& value,
                                 std::chars_format format) {
  if (format == std::chars_format::hex) return hexFromChars(first, last, value);
  const fast_float::from_chars_result read = fast_float::from_chars(first, last, value);
  return {read.ptr, read.ec};
}

std::to_chars_result toChars(char* first, char* last, double value, std::chars_format format,
                             int precision) {
  const char* const pattern = format == std::chars_format::fixed ? "%.*f" : "%.*e";
  const int length = std::snprintf(nullptr, 0, pattern, precision, value);
  std::string text(length + 1, '\0');
  std::snprintf(&text[0], text.size(), pattern, precision, value);
  text.pop_back();
  return put(first, last, text);
}

std::to_chars_result toChars(char* first, char* last, double value) {
  return put(first, last, shortest(value));
}

}  // namespace charconv
