#include "text/Scan.h"

#include <limits>

#include "base/Charconv.h"
#include "text/Chars.h"

namespace {

bool isHexDigit(unsigned char c) { return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// Whether the text at p starts with `word`, a lower-case word, in any case.
bool startsWithWord(const char* p, const char* end, const char* word) {
  for (; *word != '\0'; ++p, ++word) {
    if (p == end || (static_cast<unsigned char>(*p) | 0x20) != *word) return false;
  }
  return true;
}

// What one "%lf" takes from a text.
struct TRealField {
  enum TKind { kNumber, kMismatch, kEnd } kind;
  double value;
  const char* next;  // The first byte after the number.
};

template <typename IsDigitOfBase>
const char* skipDigits(const char* p, const char* end, IsDigitOfBase isDigitOfBase) {
  while (p < end && isDigitOfBase(*p)) ++p;
  return p;
}

bool isDecimalDigit(unsigned char c) { return isDigit(c); }

// A mantissa of digits with at most one point, then an exponent that the
// scan takes even when no digit follows its letter and sign ("1e+" is 1).
struct TNumberText {
  bool anyDigit;
  const char* valueEnd;  // Without an exponent that has no digits.
  const char* next;
};

template <typename IsDigitOfBase>
TNumberText numberText(const char* p, const char* end, IsDigitOfBase isDigitOfBase,
                       char exponentLetter) {
  TNumberText text{};
  const char* digits = p;
  p = skipDigits(p, end, isDigitOfBase);
  text.anyDigit = p > digits;
  if (p < end && *p == '.') {
    const char* fraction = ++p;
    p = skipDigits(p, end, isDigitOfBase);
    text.anyDigit = text.anyDigit || p > fraction;
  }
  text.valueEnd = text.next = p;
  if (text.anyDigit && p < end && (*p | 0x20) == exponentLetter) {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) ++p;
    const char* exponent = p;
    p = skipDigits(p, end, isDecimalDigit);
    if (p > exponent) text.valueEnd = p;
    text.next = p;
  }
  return text;
}

// The power of the number base at a number text's leading digit, plus its
// exponent, saturated: above 0 for a number of at least the base, below 0
// for one under 1. A number out of a double's range is far from 1, so the
// sign tells overflow from underflow. A hexadecimal digit counts 4 powers
// of 2, the unit of its exponent.
long long magnitudeOf(const char* p, const char* end, char exponentLetter, int digitWeight) {
  constexpr long long kSaturation = 1000000000;
  long long wholeDigits = 0, fractionZeros = 0;
  bool inFraction = false, seenNonZero = false;
  for (; p < end && (*p | 0x20) != exponentLetter; ++p) {
    if (*p == '.') {
      inFraction = true;
      continue;
    }
    seenNonZero = seenNonZero || *p != '0';
    if (!inFraction && seenNonZero && wholeDigits < kSaturation) ++wholeDigits;
    if (inFraction && !seenNonZero && fractionZeros < kSaturation) ++fractionZeros;
  }
  long long exponent = 0;
  if (p < end) {
    const bool negative = *++p == '-';
    if (*p == '+' || *p == '-') ++p;
    for (; p < end && exponent < kSaturation; ++p) exponent = 10 * exponent + (*p - '0');
    if (negative) exponent = -exponent;
  }
  const long long lead = wholeDigits > 0 ? wholeDigits - 1 : -(fractionZeros + 1);
  return lead * digitWeight + exponent;
}

// The value of a number's text, correctly rounded as the C library's scan
// rounds it: past the largest double it is infinite, below half the
// smallest subnormal it is zero.
double valueOf(const char* p, const char* end, std::chars_format format) {
  double value = 0;
  if (charconv::fromChars(p, end, value, format).ec == std::errc::result_out_of_range) {
    const bool hex = format == std::chars_format::hex;
    const bool large = magnitudeOf(p, end, hex ? 'p' : 'e', hex ? 4 : 1) > 0;
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

// "%lf" at p, as the C library scans it: blanks, a sign, then "nan", "inf"
// or "infinity" in any case, or a hexadecimal number after "0x", or a
// decimal one. A form that breaks off after its first byte is a mismatch,
// as the scan cannot take back what it has read.
TRealField scanRealField(const char* p, const char* end) {
  while (p < end && isBlank(*p)) ++p;
  if (p == end) return {TRealField::kEnd, 0, p};
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  auto number = [negative](double value, const char* next) {
    return TRealField{TRealField::kNumber, negative ? -value : value, next};
  };
  const TRealField mismatch{TRealField::kMismatch, 0, p};

  if (startsWithWord(p, end, "n")) {
    if (!startsWithWord(p, end, "nan")) return mismatch;
    return number(std::numeric_limits<double>::quiet_NaN(), p + 3);
  }
  if (startsWithWord(p, end, "i")) {
    if (!startsWithWord(p, end, "inf")) return mismatch;
    if (!startsWithWord(p + 3, end, "i")) {
      return number(std::numeric_limits<double>::infinity(), p + 3);
    }
    if (!startsWithWord(p, end, "infinity")) return mismatch;
    return number(std::numeric_limits<double>::infinity(), p + 8);
  }
  if (p + 1 < end && p[0] == '0' && (p[1] | 0x20) == 'x') {
    // After "0x" a point alone is a number, 0; with no digit, no exponent.
    const char* digits = p + 2;
    const TNumberText text = numberText(digits, end, isHexDigit, 'p');
    if (!text.anyDigit && text.next == digits) return mismatch;
    return number(text.anyDigit ? valueOf(digits, text.valueEnd, std::chars_format::hex) : 0.0,
                  text.next);
  }
  // The common line: a decimal that the conversion takes whole, not
  // followed by an exponent letter that it left.
  double value;
  const std::from_chars_result plain =
      charconv::fromChars(p, end, value, std::chars_format::general);
  if (plain.ec == std::errc() && (plain.ptr == end || (*plain.ptr | 0x20) != 'e') &&
      (isDigit(*p) || *p == '.')) {
    return number(value, plain.ptr);
  }
  const TNumberText text = numberText(p, end, isDecimalDigit, 'e');
  if (!text.anyDigit) return mismatch;
  return number(valueOf(p, text.valueEnd, std::chars_format::general), text.next);
}

}  // namespace

std::string TScannedInt::decimal() const {
  return negative && magnitude != "0" ? "-" + magnitude : magnitude;
}

bool TScannedInt::within(int low, int high, int& value) const {
  // Ten digits hold every int; anything longer is out of range.
  if (magnitude.size() > 10) return false;
  long long v = 0;
  for (char digit : magnitude) v = 10 * v + (digit - '0');
  if (negative) v = -v;
  if (v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

// Follows "%d%c" byte by byte instead of calling sscanf: the library's "%d"
// has no defined result outside the int range, and the exact value is needed.
TScannedInt scanInt(const std::string& line) {
  TScannedInt result;
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (i < n && isBlank(line[i])) ++i;
  if (i == n) return result;  // Input ends before the first conversion.
  result.count = 0;
  if (line[i] == '+' || line[i] == '-') {
    result.negative = line[i] == '-';
    ++i;
  }
  if (i == n || !isDigit(line[i])) return result;
  while (i + 1 < n && line[i] == '0' && isDigit(line[i + 1])) ++i;
  const std::size_t first = i;
  while (i < n && isDigit(line[i])) ++i;
  result.magnitude = line.substr(first, i - first);
  result.count = i < n ? 2 : 1;
  return result;
}

// The trailing "%c" takes any byte, a blank or NUL included.
int scanReal(const std::string& line, double& value) {
  const char* const end = line.data() + line.size();
  const TRealField field = scanRealField(line.data(), end);
  if (field.kind == TRealField::kEnd) return -1;
  if (field.kind == TRealField::kMismatch) return 0;
  value = field.value;
  return field.next < end ? 2 : 1;
}

// The blank between the two "%lf" adds nothing: each skips blanks itself.
int scanRealPair(const std::string& line, double& x, double& y) {
  const char* const end = line.data() + line.size();
  const TRealField first = scanRealField(line.data(), end);
  if (first.kind == TRealField::kEnd) return -1;
  if (first.kind == TRealField::kMismatch) return 0;
  x = first.value;
  const TRealField second = scanRealField(first.next, end);
  if (second.kind != TRealField::kNumber) return 1;
  y = second.value;
  return second.next < end ? 3 : 2;
}
