#include "document/Latex.h"

namespace {

std::string escaped(const std::string& text) {
  std::string latex;
  for (char c : text) {
    switch (c) {
      case '\\':
        latex += "\\textbackslash{}";
        break;
      case '^':
        latex += "\\textasciicircum{}";
        break;
      case '~':
        latex += "\\textasciitilde{}";
        break;
      case '{':
      case '}':
      case '$':
      case '&':
      case '#':
      case '%':
      case '_':
        latex += '\\';
        latex += c;
        break;
      default:
        latex += c;
    }
  }
  return latex;
}

std::string spansOf(const std::vector<TSpan>& spans) {
  std::string latex;
  for (const TSpan& span : spans) {
    latex += span.code ? "\\texttt{" + escaped(span.text) + "}" : escaped(span.text);
  }
  return latex;
}

}  // namespace

std::string latexOf(const TDocument& document) {
  std::string latex = "\\problemname{" + escaped(document.title) + "}\n";
  bool inList = false;
  for (const TBlock& block : document.blocks) {
    const bool item = block.kind == TBlock::kItem;
    if (item && !inList) latex += "\n\\begin{itemize}\n";
    if (!item && inList) latex += "\\end{itemize}\n";
    inList = item;
    switch (block.kind) {
      case TBlock::kHeading:
        latex += "\n\\section*{" + spansOf(block.spans) + "}\n";
        break;
      case TBlock::kParagraph:
        latex += "\n" + spansOf(block.spans) + "\n";
        break;
      case TBlock::kItem:
        latex += "\\item " + spansOf(block.spans) + "\n";
        break;
      case TBlock::kCode:
        latex += "\n\\begin{verbatim}\n" + block.code +
                 (block.code.empty() || block.code.back() != '\n' ? "\n" : "") +
                 "\\end{verbatim}\n";
        break;
    }
  }
  if (inList) latex += "\\end{itemize}\n";
  return latex;
}
