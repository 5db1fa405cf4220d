#include "wasm/Share.h"

#include <gtest/gtest.h>

#include <string>

#include "support/Failure.h"
#include "support/TextStream.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The share starts on the first line from `from` on that reads as a case
// number: a line start at `from` itself counts, a line begun before it does
// not; line ends as text mode reads them; never past the end of the text.
TEST(Share, StartsOnTheFirstCaseLineAfterALineStart) {
  const struct {
    std::string bytes;
    std::size_t from, start;
  } cases[] = {
      {"x\n3\n0.1 0.2\n", 1, 2},
      {"x\n3\n0.1 0.2\n", 2, 2},  // A line starts at `from`.
      {"x\n3\n0.1 0.2\n", 3, npos},
      {"x\n0.5 0.5\n\n12\n", 1, 11},  // Past centres and an empty line.
      {"x\r\n12\r\n0.5 0.5\r\n", 1, 3},
      {"x\n7\r", 1, npos},  // A carriage return with no line feed stays.
      {"x\n 4\n", 1, 2},
      {"x\n+4\n", 1, 2},
      {"x\n4 \n5\n", 1, 5},
      {"x\n1", 1, 2},
      {"x\n0.5 0.5\n\x1a"
       "3\n",
       1, npos},
      {"x\n\x1a\n3\n", 1, npos},
      {"x\n3\n", 0, npos},
      {"x\n3\n", 4, npos},  // The end is a line start with no line.
      {"x\n3\n", 5, npos},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes) + " from " + std::to_string(c.from));
    EXPECT_EQ(c.start, shareStart(c.bytes, c.from));
  }
}

TEST(Share, CountsTheLinesBeforeAByte) {
  const std::string bytes = "a\nb\r\n\rc\n";
  EXPECT_EQ(0, linesBefore(bytes, 0));
  EXPECT_EQ(0, linesBefore(bytes, 1));
  EXPECT_EQ(1, linesBefore(bytes, 2));
  EXPECT_EQ(2, linesBefore(bytes, 5));
  EXPECT_EQ(3, linesBefore(bytes, bytes.size()));
}

std::vector<TTestCase> twoCases() {
  TMemoryText input("Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n1\n0.25\n");
  std::vector<TTestCase> testCases;
  readInput(input.is, testCases);
  return testCases;
}

// Each block of the share with its case line, counted from the share's
// first, its case and its cost; a failed check is thrown, as the
// evaluator's.
TEST(Share, ScoresEachBlockAsTheEvaluatorDoes) {
  const std::vector<TTestCase> testCases = twoCases();
  const std::vector<TScoredBlock> scored =
      scoreShare("2\r\n0.5 0.5\r\n\n1\n0.3 0.5\n0.7 0.5\n", testCases);
  ASSERT_EQ(2u, scored.size());
  EXPECT_EQ(1, scored[0].line);
  EXPECT_EQ(2, scored[0].caseNo);
  EXPECT_EQ(0.0, scored[0].cost);
  EXPECT_EQ(4, scored[1].line);
  EXPECT_EQ(1, scored[1].caseNo);
  EXPECT_EQ(0x1.4ed9ab5903e16p-6, scored[1].cost);  // 2.04376385991605555303e-02
  EXPECT_EQ("259: v 1. vrstici bi morala biti stevilka testnega primera od 1 do 2, ne pa 3",
            failureOf([&] { scoreShare("3\n", testCases); }));
  EXPECT_TRUE(scoreShare("", testCases).empty());
}

}  // namespace
