#include "base/Format.h"

#include "base/Charconv.h"

namespace {

// Room for the longest double with up to 30 decimals, 309 digits before the
// point.
constexpr int kLongest = 360;

std::string formatted(double value, std::chars_format format, int precision) {
  char text[kLongest];
  const std::to_chars_result result =
      charconv::toChars(text, text + kLongest, value, format, precision);
  return std::string(text, result.ptr);
}

}  // namespace

std::string fixedDecimal(double value, int decimals) {
  return formatted(value, std::chars_format::fixed, decimals);
}

std::string scientificDecimal(double value, int digits) {
  return formatted(value, std::chars_format::scientific, digits);
}

std::string shortestDecimal(double value) {
  char text[kLongest];
  return std::string(text, charconv::toChars(text, text + kLongest, value).ptr);
}
