#include "grading/Printable.h"

std::string printable(const std::string& text) {
  static const char* const kHex = "0123456789abcdef";
  std::string safe;
  std::size_t bytes = 0;  // The current line's, as given.
  auto endLine = [&] {
    if (bytes > kQuotedLineCap) safe += " [cut: " + std::to_string(bytes) + " bytes in all]";
    bytes = 0;
  };
  for (unsigned char c : text) {
    if (c == '\n') {
      endLine();
      safe += '\n';
    } else if (++bytes > kQuotedLineCap) {
      // Past the cap a byte is only counted: a 5 MB line makes no 20 MB message.
    } else if (c >= 0x20 && c < 0x7f && c != '\\') {
      safe += static_cast<char>(c);
    } else {
      safe += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
  }
  endLine();
  return safe;
}
