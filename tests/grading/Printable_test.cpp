#include "grading/Printable.h"

#include <gtest/gtest.h>

namespace {

std::string times(std::size_t n, const std::string& piece) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += piece;
  return text;
}

// Printable ASCII stays; every other byte, and the backslash that would
// make an escape ambiguous, is \xNN.
TEST(Printable, EscapesEveryByteButPrintableAscii) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"", ""},
      {"Napaka [x:1]: ne pa \"a b ~\"", "Napaka [x:1]: ne pa \"a b ~\""},
      {"a\\x9a", "a\\x5cx9a"},
      {std::string("\x9a\xff\x00\x7f\x1f\r\t", 7), "\\x9a\\xff\\x00\\x7f\\x1f\\x0d\\x09"},
      {"\xc5\xa1", "\\xc5\\xa1"},
      {"two\nlines\n", "two\nlines\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, printable(c.text));
  }
}

// The cap counts the line's own bytes, not their escapes; it keeps whole
// escapes only, and each line has its own count.
TEST(Printable, CutsEachLineAfterItsFirst500Bytes) {
  const std::string a500 = times(500, "a");
  const struct {
    const char* name;
    std::string text, expected;
  } cases[] = {
      {"500 bytes", a500, a500},
      {"501 bytes", a500 + "b", a500 + " [cut: 501 bytes in all]"},
      {"500 escaped bytes", times(500, "\x9a"), times(500, "\\x9a")},
      {"an escape at the cut", times(499, "a") + "\x9a\x9b",
       times(499, "a") + "\\x9a [cut: 501 bytes in all]"},
      {"each line its own count", a500 + "bc\n" + a500 + "b\nok\n" + a500,
       a500 + " [cut: 502 bytes in all]\n" + a500 + " [cut: 501 bytes in all]\nok\n" + a500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, printable(c.text));
  }
}

// Cut for people's eyes, a line keeps its bytes as they are.
TEST(Printable, CutsLinesKeepingTheirBytes) {
  const std::string line = times(499, "a") + "\x9a\xff";
  EXPECT_EQ(times(499, "a") + "\x9a [cut: 501 bytes in all]\nok\n", cutLines(line + "\nok\n"));
  EXPECT_EQ(std::string("\x9a\0\\", 3), cutLines(std::string("\x9a\0\\", 3)));
}

}  // namespace
