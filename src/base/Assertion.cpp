#include "base/Assertion.h"

#include <cstdio>

bool fail(const std::string& message, const std::string& file, int line,
          std::vector<std::string> arguments) {
  throw EAssertion(message, file, line, std::move(arguments));
}

bool softCheck(bool condition, const char* file, int line, const char* description) {
  if (!condition) std::fprintf(stderr, "[%s:%d] Assertion failure (%s)\n", file, line, description);
  return condition;
}
