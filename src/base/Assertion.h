#pragma once

#include <string>
#include <utility>
#include <vector>

// The one failure that every validation check raises. It travels up to the
// evaluation run, which turns it into the report's error block.
class EAssertion {
 public:
  EAssertion(const std::string& message, const std::string& file, int line,
             std::vector<std::string> arguments = {})
      : message(message), file(file), line(line), arguments(std::move(arguments)) {}

  std::string message;
  std::string file;  // Kept for debugging only: the report names a fixed file.
  int line;          // The check's fixed line number, printed in the report.
  // The message's pieces that are not its fixed text (line numbers, what was
  // expected, what was found), in order: what a translation of the message
  // is built from.
  std::vector<std::string> arguments;
};

// Throws EAssertion(message, file, line, arguments). The bool result lets a
// check be one expression: `condition || fail(...)`.
[[noreturn]] bool fail(const std::string& message, const std::string& file, int line,
                       std::vector<std::string> arguments = {});

// The non-throwing form: writes "[file:line] Assertion failure (description)"
// to standard error when the condition is false, and returns the condition.
bool softCheck(bool condition, const char* file, int line, const char* description);

namespace message_detail {
inline void append(std::string& out, const std::string& piece) { out += piece; }
inline void append(std::string& out, const char* piece) { out += piece; }
inline void append(std::string& out, char piece) { out += piece; }
inline void append(std::string& out, int piece) { out += std::to_string(piece); }
// Literal pieces are the message's fixed text; the others are its arguments.
inline void argument(std::vector<std::string>&, const char*) {}
inline void argument(std::vector<std::string>& out, const std::string& piece) {
  out.push_back(piece);
}
inline void argument(std::vector<std::string>& out, char piece) { out.emplace_back(1, piece); }
inline void argument(std::vector<std::string>& out, int piece) {
  out.push_back(std::to_string(piece));
}
}  // namespace message_detail

// Concatenates literal pieces, texts and integers (in decimal) into a message.
template <typename... Pieces>
std::string joinMessage(const Pieces&... pieces) {
  std::string message;
  (message_detail::append(message, pieces), ...);
  return message;
}

// The pieces of a message that are no string literals, each as text.
template <typename... Pieces>
std::vector<std::string> messageArguments(const Pieces&... pieces) {
  std::vector<std::string> arguments;
  (message_detail::argument(arguments, pieces), ...);
  return arguments;
}

// A validation check: unless the condition holds, fails with the message
// joined from the pieces, the fixed check line and the message's arguments.
// Nothing is built for a check that passes.
#define CHECK(condition, checkLine, ...)                                                 \
  static_cast<void>((condition) || fail(joinMessage(__VA_ARGS__), __FILE__, (checkLine), \
                                        messageArguments(__VA_ARGS__)))
