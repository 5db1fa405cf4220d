#pragma once

#include <string>

// The one failure that every validation check raises. It travels up to the
// evaluation run, which turns it into the report's error block.
class EAssertion {
 public:
  EAssertion(const std::string& message, const std::string& file, int line)
      : message(message), file(file), line(line) {}

  std::string message;
  std::string file;  // Kept for debugging only: the report names a fixed file.
  int line;          // The check's fixed line number, printed in the report.
};

// Throws EAssertion(message, file, line). The bool result lets a check be one
// expression: `condition || fail(...)`.
[[noreturn]] bool fail(const std::string& message, const std::string& file, int line);

// The non-throwing form: writes "[file:line] Assertion failure (description)"
// to standard error when the condition is false, and returns the condition.
bool softCheck(bool condition, const char* file, int line, const char* description);

namespace message_detail {
inline void append(std::string& out, const std::string& piece) { out += piece; }
inline void append(std::string& out, const char* piece) { out += piece; }
inline void append(std::string& out, char piece) { out += piece; }
inline void append(std::string& out, int piece) { out += std::to_string(piece); }
}  // namespace message_detail

// Concatenates literal pieces, texts and integers (in decimal) into a message.
template <typename... Pieces>
std::string joinMessage(const Pieces&... pieces) {
  std::string message;
  (message_detail::append(message, pieces), ...);
  return message;
}

// A validation check: unless the condition holds, fails with the message
// joined from the pieces and the fixed check line. The message is built only
// when the check fails.
#define CHECK(condition, checkLine, ...) \
  static_cast<void>((condition) || fail(joinMessage(__VA_ARGS__), __FILE__, (checkLine)))
