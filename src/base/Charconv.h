#pragma once

// The floating-point conversions of <charconv>, through which every number is
// read and written. They are the standard library's wherever it has them;
// emscripten's library, for the contestants' page, has none, and that build
// defines MIRVASTA_CHARCONV_STANDIN and links a stand-in that must give the
// same results to the last bit.

#include <charconv>
#include <system_error>

namespace charconv {

// As std::from_chars(first, last, value, format), for the general and the
// hexadecimal format; a value beyond a double's range may come back as the
// infinity or the zero it rounds to, or with result_out_of_range.
std::from_chars_result fromChars(const char* first, const char* last, double& value,
                                 std::chars_format format);

// As std::to_chars(first, last, value, format, precision), fixed or
// scientific.
std::to_chars_result toChars(char* first, char* last, double value, std::chars_format format,
                             int precision);

// As std::to_chars(first, last, value): the shortest text that reads back as
// the same double.
std::to_chars_result toChars(char* first, char* last, double value);

#if !defined(MIRVASTA_CHARCONV_STANDIN)
inline std::from_chars_result fromChars(const char* first, const char* last, double& value,
                                        std::chars_format format) {
  return std::from_chars(first, last, value, format);
}
inline std::to_chars_result toChars(char* first, char* last, double value, std::chars_format format,
                                    int precision) {
  return std::to_chars(first, last, value, format, precision);
}
inline std::to_chars_result toChars(char* first, char* last, double value) {
  return std::to_chars(first, last, value);
}
#endif

}  // namespace charconv
