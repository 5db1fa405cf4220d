#include "grading/Standing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A result of case caseNo, as the evaluator gives it.
void add(TStanding& standing, int caseNo, double cost) {
  TResitev resitev;
  resitev.caseNo = caseNo;
  standing.add(resitev, Rezultat{caseNo, cost});
}

// A case scores 1 up to its yardstick, yardstick / cost above it, and 0 where
// it is unanswered or has no yardstick: never below 0, never above 1.
TEST(Grading, ScoresACaseAtTheLimits) {
  const double above = std::nextafter(1e-9, 1.0);
  const struct {
    const char* name;
    double cost, yardstick, score;
  } cases[] = {
      {"at the yardstick", 1e-9, 1e-9, 1},
      {"one bit above it", above, 1e-9, 1e-9 / above},
      {"twice it", 2e-9, 1e-9, 0.5},
      {"below it", 0, 1e-9, 1},
      {"zero against zero", 0, 0, 1},
      {"above a zero yardstick", 1e-300, 0, 0},
      {"unanswered", -1, 0.5, 0},
      {"no yardstick", 0.25, kNoYardstick, 0},
      {"no yardstick, zero cost", 0, kNoYardstick, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.score, caseScore(c.cost, c.yardstick));
  }
  EXPECT_LT(caseScore(above, 1e-9), 1.0);
}

// The yardstick is the reference's cost or the floor, whichever is more;
// a case the reference leaves out has none.
TEST(Grading, TakesTheFloorAsTheLeastYardstick) {
  const std::vector<double> costs = {0, 5e-10, 1e-9, 2e-9, -1};
  EXPECT_EQ((std::vector<double>{1e-9, 1e-9, 1e-9, 2e-9, kNoYardstick}), yardsticksOf(costs, 1e-9));
  EXPECT_EQ((std::vector<double>{0, 5e-10, 1e-9, 2e-9, kNoYardstick}), yardsticksOf(costs, 0));
  EXPECT_EQ(1e-9, kDefaultFloor);
}

// A repeated case counts with its least cost, the first block of that cost;
// the score is the mean over every case of the input, answered or not.
TEST(Grading, CountsEachCaseOnceAndTakesTheMeanOverAllCases) {
  TStanding standing(4, false);
  add(standing, 2, 0.4);
  add(standing, 1, 0.2);
  add(standing, 2, 0.1);
  add(standing, 2, 0.1);
  add(standing, 4, 0.3);
  EXPECT_EQ(3, standing.answered());
  EXPECT_EQ((std::vector<double>{0.2, 0.1, -1, 0.3}), standing.costs());
  EXPECT_EQ(2, standing.countingBlock(2));
  EXPECT_EQ(-1, standing.countingBlock(3));
  EXPECT_EQ(0.2 + 0.1 + 0.3, standing.total());
  EXPECT_EQ(3, firstCaseLeftOut(standing));
  const TScore score = scoreAgainst(standing, {0.1, 0.2, 0.5, kNoYardstick});
  EXPECT_EQ((std::vector<double>{0.5, 1, 0, 0}), score.cases);
  EXPECT_EQ(1.5 / 4, score.total);
  add(standing, 3, 0.5);
  EXPECT_EQ(0, firstCaseLeftOut(standing));
}

}  // namespace
