#include "base/Assertion.h"

#include <cstdio>

bool fail(const std::string& message, const std::string& file, int line) {
  throw EAssertion(message, file, line);
}

bool softCheck(bool condition, const char* file, int line, const char* description) {
  if (!condition) std::fprintf(stderr, "[%s:%d] Assertion failure (%s)\n", file, line, description);
  return condition;
}
