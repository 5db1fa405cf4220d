#include "text/Scan.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace {

bool isBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// sscanf stops at a NUL byte as at the end of the text. Byte 1 is, like NUL,
// neither blank nor part of any number, but the scan reads on past it, so a
// NUL in the line then counts as the ordinary character it is.
int scanWhole(const std::string& line, const char* format, ...) {
  std::string text;
  const std::string* scanned = &line;
  if (line.find('\0') != std::string::npos) {
    text = line;
    for (char& c : text) {
      if (c == '\0') c = '\x01';
    }
    scanned = &text;
  }
  std::va_list args;
  va_start(args, format);
  const int count = std::vsscanf(scanned->c_str(), format, args);
  va_end(args);
  return count;
}

// Lines longer than this go to the library's scan: no valid centre line
// needs so many bytes.
constexpr std::size_t kFastLineLimit = 96;

// Converts the plain decimal number at p (an optional sign, digits with at
// most one point, an optional complete exponent) and returns the first byte
// after it, or nullptr when the text there is not one. The conversion rounds
// correctly, as the library's scan does, so both give the same double. A
// value that over- or underflows is left to the library's scan, and so is
// everything the number might run on into (a dangling exponent, "0x"): the
// caller accepts only a blank, a sign or the line's end after the number.
const char* convertPlain(const char* p, const char* end, double& value) {
  const char* digits = p < end && (*p == '+' || *p == '-') ? p + 1 : p;
  if (digits == end || !(isDigit(*digits) || *digits == '.')) return nullptr;
  // from_chars takes no plus sign; inf, nan and hex were ruled out above.
  const std::from_chars_result result = std::from_chars(*p == '+' ? digits : p, end, value);
  return result.ec == std::errc() ? result.ptr : nullptr;
}

const char* skipBlanks(const char* p, const char* end) {
  while (p < end && isBlank(*p)) ++p;
  return p;
}

// The common line, "%lf%c" on one plain number and nothing after it, without
// the library's slow conversion. False for any other line.
bool scanPlainReal(const std::string& line, double& value) {
  if (line.size() > kFastLineLimit) return false;
  const char* const end = line.data() + line.size();
  return convertPlain(skipBlanks(line.data(), end), end, value) == end;
}

// The same for "%lf %lf%c" on two plain numbers and nothing after them. A
// second number may follow the first directly when it starts with a sign.
bool scanPlainRealPair(const std::string& line, double& x, double& y) {
  if (line.size() > kFastLineLimit) return false;
  const char* const end = line.data() + line.size();
  const char* q = convertPlain(skipBlanks(line.data(), end), end, x);
  if (q == nullptr || q == end || !(isBlank(*q) || *q == '+' || *q == '-')) return false;
  return convertPlain(skipBlanks(q, end), end, y) == end;
}

}  // namespace

std::string TScannedInt::decimal() const {
  return negative && magnitude != "0" ? "-" + magnitude : magnitude;
}

bool TScannedInt::within(int low, int high, int& value) const {
  // Ten digits hold every int; anything longer is out of range.
  if (magnitude.size() > 10) return false;
  const long long v = negative ? -std::stoll(magnitude) : std::stoll(magnitude);
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

int scanReal(const std::string& line, double& value) {
  if (scanPlainReal(line, value)) return 1;
  char dummy;
  return scanWhole(line, "%lf%c", &value, &dummy);
}

int scanRealPair(const std::string& line, double& x, double& y) {
  if (scanPlainRealPair(line, x, y)) return 2;
  char dummy;
  return scanWhole(line, "%lf %lf%c", &x, &y, &dummy);
}
