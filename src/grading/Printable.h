#pragma once

#include <cstddef>
#include <string>

// Text quoted from a contestant's file, as people are shown it: a line of
// more than kQuotedLineCap bytes keeps its first kQuotedLineCap, then a mark
// that says how many bytes the line had.
constexpr std::size_t kQuotedLineCap = 500;

// Each line cut so; the bytes kept stay as they are.
std::string cutLines(const std::string& text);

// The same, as the judge systems and a terminal take it: printable ASCII and
// line feeds alone (so valid UTF-8, with no control character and no code
// point that CMS refuses). Every other byte, a backslash among them, is
// written as \xNN; a cut keeps whole bytes, so it never falls inside one.
std::string printable(const std::string& text);
