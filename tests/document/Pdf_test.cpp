#include "document/Pdf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "support/Process.h"
#include "support/TempFile.h"

namespace {

// The text that a reader extracts from the PDF, as poppler's pdftotext does.
std::string extracted(const std::string& pdf) {
  TTempFile file(pdf);
  TProcess reader({PDFTOTEXT_PATH, "-enc", "UTF-8", file.path(), "-"});
  EXPECT_EQ(0, reader.wait()) << reader.err();
  return reader.out();
}

TDocument document(const std::string& language, std::vector<TBlock> blocks) {
  return {language, "Mirvasta", std::move(blocks)};
}

TBlock paragraph(const std::string& text) { return {TBlock::kParagraph, {{text, false}}, ""}; }

// Every object starts where the cross-reference table says, so that a reader
// needs no repair; the trailer points at the table.
TEST(Pdf, EachObjectIsWhereTheTableSays) {
  const std::string pdf =
      pdfOf({document("sl", {paragraph("Naloga"), {TBlock::kCode, {}, "a\nb (c)\n"}}),
             document("en", {paragraph("Task")})});
  ASSERT_EQ(0u, pdf.find("%PDF-1.4\n"));
  ASSERT_EQ(pdf.size() - 6, pdf.rfind("%%EOF\n"));
  const std::size_t table = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
  ASSERT_EQ(table, pdf.find("xref\n0 "));
  std::istringstream lines(pdf.substr(table));
  std::string word;
  int first = 0, count = 0;
  lines >> word >> first >> count;
  ASSERT_EQ(12, count);  // Seven objects, two for each of the two pages, and the free entry.
  std::getline(lines, word);
  for (int object = 0; object < count; ++object) {
    std::string entry;
    std::getline(lines, entry);
    ASSERT_EQ(19u, entry.size()) << "an entry is 20 bytes with its line end";
    if (object == 0) continue;
    const std::string expected = std::to_string(object) + " 0 obj\n";
    EXPECT_EQ(expected, pdf.substr(std::stoul(entry.substr(0, 10)), expected.size())) << entry;
  }
}

// The Slovenian letters, the quotes and the dashes come back out as the
// text had them, and so do the bytes that a PDF string escapes.
TEST(Pdf, ItsTextCanBeExtracted) {
  const std::string text = "Čaša šuma žge: ČŠŽ čšž „x“ – (a) \\ b × 2";
  const std::string out = extracted(pdfOf({document("sl", {paragraph(text)})}));
  EXPECT_NE(std::string::npos, out.find(text)) << out;
  EXPECT_TRUE(std::regex_search(out, std::regex("\\b1 ?/ ?1\\b"))) << out;
}

// A long paragraph is broken into lines that fit the page, and a long
// document goes on over pages, numbered.
TEST(Pdf, FillsLinesAndPages) {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "beseda" + std::to_string(i) + " ";
  std::vector<TBlock> blocks;
  for (int i = 0; i < 40; ++i) blocks.push_back(paragraph(words));
  const std::string out = extracted(pdfOf({document("sl", blocks)}));
  std::istringstream lines(out);
  std::size_t longest = 0, count = 0;
  for (std::string line; std::getline(lines, line); ++count)
    longest = std::max(longest, line.size());
  EXPECT_GT(count, 40u * 5);
  // 467 points of 10.5-point Helvetica hold about 90 such characters.
  EXPECT_LE(longest, 100u);
  // Each page numbered "k / N"; the reader may close up the blanks.
  const std::regex foot("\\b([0-9]+) ?/ ?([0-9]+)\\b");
  std::vector<std::pair<int, int>> numbers;
  for (std::sregex_iterator at(out.begin(), out.end(), foot), end; at != end; ++at) {
    numbers.emplace_back(std::stoi((*at)[1]), std::stoi((*at)[2]));
  }
  ASSERT_GT(numbers.size(), 1u);
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    EXPECT_EQ(std::make_pair(static_cast<int>(k + 1), static_cast<int>(numbers.size())),
              numbers[k]);
  }
}

// A character that the fonts' encoding lacks is refused, never dropped.
TEST(Pdf, RefusesACharacterItCannotShow) {
  for (const char* text : {"x ≤ 1", "\xff", "\xc5"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(pdfOf({document("en", {paragraph(text)})}), std::invalid_argument);
  }
  EXPECT_THROW(pdfOf({document("en", {{TBlock::kCode, {}, "π"}})}), std::invalid_argument);
}

}  // namespace
