#include "wasm/Share.h"

#include <algorithm>

#include "evaluator/Evaluation.h"
#include "scoring/Cost.h"
#include "text/Scan.h"
#include "text/TextModeBuf.h"

std::size_t shareStart(std::string_view bytes, std::size_t from) {
  constexpr std::size_t npos = std::string_view::npos;
  if (from == 0 || from > bytes.size()) return npos;
  std::size_t line = from;
  if (bytes[from - 1] != '\n') {
    const std::size_t feed = bytes.find('\n', from);
    if (feed == npos) return npos;
    line = feed + 1;
  }
  // Each line as text mode shows it: a carriage return before its line feed
  // dropped. In a submission the evaluator accepts, a case number is the
  // only line that "%d%c" reads whole; a centre line holds two numbers.
  std::string text;
  while (line < bytes.size()) {
    const std::size_t feed = bytes.find('\n', line);
    const std::size_t end = feed == npos ? bytes.size() : feed;
    text.assign(bytes.substr(line, end - line));
    if (text.find(kEndOfText) != std::string::npos) return npos;
    if (feed != npos && !text.empty() && text.back() == '\r') text.pop_back();
    if (scanInt(text).count == 1) return line;
    if (feed == npos) break;
    line = feed + 1;
  }
  return npos;
}

long long linesBefore(std::string_view bytes, std::size_t offset) {
  return std::count(bytes.begin(), bytes.begin() + offset, '\n');
}

std::vector<TScoredBlock> scoreShare(std::string_view share,
                                     const std::vector<TTestCase>& testCases) {
  std::vector<TScoredBlock> scored;
  TTextBytes text(share);
  TLineReader reader(text);
  int line = 0;
  const TBlockScorer scorer = [&line](int caseLine, const TResitev& resitev) {
    line = caseLine;
    return placementCost(resitev.testCase->radii, resitev.tocke);
  };
  evaluateBlocks(
      reader, testCases,
      [&](const TResitev&, const Rezultat& rezultat) {
        scored.push_back({line, rezultat.caseNo, rezultat.cena});
      },
      &scorer);
  return scored;
}
