#pragma once

#include <istream>
#include <sstream>
#include <string>

#include "text/TextModeBuf.h"

// An in-memory file read as text, the way the evaluator reads its files.
struct TTextStream {
  explicit TTextStream(const std::string& bytes) : raw(bytes), text(raw), is(&text) {}

  std::stringbuf raw;
  TTextModeBuf text;
  std::istream is;
};
