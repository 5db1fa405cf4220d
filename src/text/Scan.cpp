#include "text/Scan.h"

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
  char dummy;
  return scanWhole(line, "%lf%c", &value, &dummy);
}

int scanRealPair(const std::string& line, double& x, double& y) {
  char dummy;
  return scanWhole(line, "%lf %lf%c", &x, &y, &dummy);
}
