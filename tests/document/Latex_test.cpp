#include "document/Latex.h"

#include <gtest/gtest.h>

namespace {

// What LaTeX reads as markup is escaped, in text and in code alike; lists
// gather their items; code stands verbatim, as it is.
TEST(Latex, EscapesMarkupAndKeepsCodeVerbatim) {
  const TDocument document{
      "sl",
      "Mirvasta & co",
      {{TBlock::kHeading, {{"Naloga", false}}, ""},
       {TBlock::kParagraph, {{"50% {x} $1 #2 a_b ^ ~ \\ č ", false}, {"x_1 y", true}}, ""},
       {TBlock::kItem, {{"prva", false}}, ""},
       {TBlock::kItem, {{"druga", false}}, ""},
       {TBlock::kCode, {}, "Mirvasta\n1\n\n1\n_{%}"},
       {TBlock::kItem, {{"zadnja", false}}, ""}}};
  EXPECT_EQ(
      "\\problemname{Mirvasta \\& co}\n"
      "\n\\section*{Naloga}\n"
      "\n50\\% \\{x\\} \\$1 \\#2 a\\_b \\textasciicircum{} \\textasciitilde{} "
      "\\textbackslash{} č \\texttt{x\\_1 y}\n"
      "\n\\begin{itemize}\n\\item prva\n\\item druga\n\\end{itemize}\n"
      "\n\\begin{verbatim}\nMirvasta\n1\n\n1\n_{%}\n\\end{verbatim}\n"
      "\n\\begin{itemize}\n\\item zadnja\n\\end{itemize}\n",
      latexOf(document));
}

}  // namespace
