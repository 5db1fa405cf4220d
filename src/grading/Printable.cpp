#include "grading/Printable.h"

std::string cutLines(const std::string& text) {
  std::string cut;
  std::size_t bytes = 0;  // The current line's, as given.
  auto endLine = [&] {
    if (bytes > kQuotedLineCap) cut += " [cut: " + std::to_string(bytes) + " bytes in all]";
    bytes = 0;
  };
  for (char c : text) {
    if (c == '\n') {
      endLine();
      cut += '\n';
    } else if (++bytes <= kQuotedLineCap) {
      cut += c;
    }
    // Past the cap a byte is only counted: a 5 MB line makes no 5 MB message.
  }
  endLine();
  return cut;
}

std::string printable(const std::string& text) {
  static const char* const kHex = "0123456789abcdef";
  std::string safe;
  for (unsigned char c : cutLines(text)) {
    if (c == '\n' || (c >= 0x20 && c < 0x7f && c != '\\')) {
      safe += static_cast<char>(c);
    } else {
      safe += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return safe;
}
