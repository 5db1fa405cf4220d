#pragma once

#include <string>

#include "base/Assertion.h"

// Runs `action` and returns the check's failure as "line: message", or "" when
// the action passes.
template <typename Action>
std::string failureOf(Action action) {
  try {
    action();
  } catch (const EAssertion& failure) {
    return std::to_string(failure.line) + ": " + failure.message;
  }
  return "";
}
