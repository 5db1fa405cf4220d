#pragma once

#include <string>

#include "text/TextModeBuf.h"

// An in-memory file read as text, the way the evaluator reads its files; it
// keeps its own copy of the bytes.
struct TMemoryText {
  explicit TMemoryText(std::string bytes) : raw(std::move(bytes)), is(raw) {}

  std::string raw;
  TTextBytes is;
};
