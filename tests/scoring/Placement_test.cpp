#include "scoring/Placement.h"

#include <gtest/gtest.h>

#include "scoring/Cost.h"
#include "scoring/Geometry.h"
#include "support/Failure.h"
#include "support/TextStream.h"

namespace {

TTestCase testCase(std::vector<double> radii) {
  TTestCase t;
  t.name = "Mirvasta";
  t.number = 3;
  t.nCircles = static_cast<int>(radii.size());
  t.radii = std::move(radii);
  return t;
}

// Scores the centre lines as a case block starting on submission line 4.
std::string score(const TTestCase& t, const std::string& lines, Rezultat& rezultat) {
  TMemoryText file(lines);
  TLineReader reader(file.is);
  reader.lineNo = 3;
  TResitev resitev;
  return failureOf([&] {
    readPlacement(resitev, reader, t.number, t);
    rezultat = {t.number, placementCost(t.radii, resitev.tocke)};
  });
}

TEST(ReadAndScore, ChecksEachCentreLineInOrder) {
  const TTestCase two = testCase({0.1, 0.1});
  const struct {
    std::string lines;
    std::string failure;
  } cases[] = {
      {"0 1\n1 0\n", ""},
      {"  0.5 0.5\n0.5\t0.5", ""},
      {"0.5 0.5 \n", "203: v 4. vrstici je za koordinatama se nekaj"},
      {"0.5 0.5x\n", "203: v 4. vrstici je za koordinatama se nekaj"},
      {std::string("0.5 0.5\0\n", 9), "203: v 4. vrstici je za koordinatama se nekaj"},
      {"0.5 0.5\n0.5\n",
       "204: v 5. vrstici bi morali biti dve realni stevili (koordinati sredisca 2-tega kroga)"},
      {"\n",
       "204: v 4. vrstici bi morali biti dve realni stevili (koordinati sredisca 1-tega kroga)"},
      {"-0.1 2\n", "205: v 4. vrstici bi morala biti x-koordinata vecja ali enaka 0"},
      {"nan 0.5\n", "205: v 4. vrstici bi morala biti x-koordinata vecja ali enaka 0"},
      {"0.5-0.25\n", "206: v 4. vrstici bi morala biti y-koordinata vecja ali enaka 0"},
      {"1.5 -1\n", "206: v 4. vrstici bi morala biti y-koordinata vecja ali enaka 0"},
      {"1.0000001 2\n", "207: v 4. vrstici bi morala biti x-koordinata manjsa ali enaka 1"},
      {"0.5 inf\n", "208: v 4. vrstici bi morala biti y-koordinata manjsa ali enaka 1"},
      {"0.5 0.5\n", "70: manjka 5. vrstica"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    Rezultat rezultat{};
    EXPECT_EQ(c.failure, score(two, c.lines, rezultat));
  }
}

TEST(ReadAndScore, SumsTheOverlapOfEveryPair) {
  const struct {
    std::vector<double> radii;
    std::string lines;
    double cena;
  } cases[] = {
      {{2.0}, "0.5 0.5\n", 0.0},
      {{0.2, 0.2}, "0.3 0.3\n0.3 0.3\n", PI * 0.2 * 0.2},
      {{0.2, 0.3}, "0 0\n0.5 0\n", 0.0},
      {{0.2, 0.3}, "0 0\n0.49999999 0\n", 0.0},
      // Reaching beyond the square costs nothing of itself.
      {{0.7, 0.7}, "0 0\n1 1\n", 0.0},
      {{0.1, 0.1, 0.1}, "0 0\n1 1\n0 1\n", 0.0},
      // Pairs (1,0), (2,0), (2,1): a disc inside a disc, a lens, and again.
      {{0.1, 0.5, 0.1},
       "0.5 0.25\n0.5 0.25\n0.5 0.375\n",
       PI * 0.1 * 0.1 + lensArea(0.1, 0.1, 0.125) + PI * 0.1 * 0.1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    Rezultat rezultat{-1, -1.0};
    ASSERT_EQ("", score(testCase(c.radii), c.lines, rezultat));
    EXPECT_EQ(3, rezultat.caseNo);
    EXPECT_EQ(c.cena, rezultat.cena);
  }
}

}  // namespace
