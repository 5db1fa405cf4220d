#pragma once

#include <string>
#include <vector>

// A short text document, such as a task's statement, as plain as the
// writers that print it need: headings, paragraphs, list items and blocks
// of code, in UTF-8.

// A run of text in one style: ordinary, or code (a fixed-width font).
struct TSpan {
  std::string text;
  bool code = false;
};

struct TBlock {
  enum TKind { kHeading, kParagraph, kItem, kCode };
  TKind kind;
  std::vector<TSpan> spans;  // A heading's, a paragraph's or an item's text.
  std::string code;          // A block of code: its lines, as they are.
};

struct TDocument {
  std::string language;  // Its code, as "sl".
  std::string title;
  std::vector<TBlock> blocks;
};
