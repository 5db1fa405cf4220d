#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "packing/Anneal.h"
#include "packing/Lattice.h"
#include "packing/Packing_detail.h"
#include "packing/Random.h"
#include "scoring/Cost.h"

namespace {

using packing_detail::depthTerm;
using packing_detail::lensTerm;
using packing_detail::overlapSum;

// Central differences of an objective agree with its gradient where the
// objective is smooth: discs overlapping partly, deeply, one inside another.
TEST(Packing, GradientsMatchFiniteDifferences) {
  const std::vector<double> radii = {0.3, 0.25, 0.1, 0.2, 0.05};
  const std::vector<double> x = {0.2, 0.3,  0.6, 0.35, 0.62, 0.38,  // 3 inside 2
                                 0.1, 0.95, 0.9, 0.98};
  for (auto term : {depthTerm, lensTerm}) {
    std::vector<double> gradient, ignored;
    overlapSum(term, radii, x, gradient);
    for (std::size_t i = 0; i < x.size(); ++i) {
      SCOPED_TRACE(i);
      const double h = 1e-7;
      std::vector<double> up = x, down = x;
      up[i] += h;
      down[i] -= h;
      const double difference =
          (overlapSum(term, radii, up, ignored) - overlapSum(term, radii, down, ignored)) / (2 * h);
      EXPECT_NEAR(difference, gradient[i], 1e-6 * (1 + std::abs(gradient[i])));
    }
  }
}

// The energy is 0 exactly where no discs overlap; a disc inside another
// still feels a push, where the area has none.
TEST(Packing, EnergyVanishesOnlyWithoutOverlap) {
  std::vector<double> gradient;
  EXPECT_EQ(0.0, overlapSum(depthTerm, {0.25, 0.25}, {0.25, 0.5, 0.75, 0.5}, gradient));
  EXPECT_GT(overlapSum(depthTerm, {0.25, 0.25}, {0.25, 0.5, 0.74, 0.5}, gradient), 0.0);
  overlapSum(depthTerm, {0.4, 0.05}, {0.5, 0.5, 0.55, 0.5}, gradient);
  EXPECT_LT(gradient[2], 0.0);  // the small disc is pushed towards the rim
  overlapSum(lensTerm, {0.4, 0.05}, {0.5, 0.5, 0.55, 0.5}, gradient);
  EXPECT_EQ(0.0, gradient[2]);
}

// A patch's sum is the whole sum's part that its moving circles take part
// in, each pair once, and its gradient theirs.
TEST(Packing, APatchSumsThePairsOfItsMovingCircles) {
  std::mt19937_64 random(3);
  std::vector<double> radii(60), x(120);
  for (double& r : radii) r = 0.03 + 0.05 * unitDraw(random);
  for (double& c : x) c = unitDraw(random);
  const std::vector<int> moving = {4, 17, 18, 40};
  const packing_detail::TPatch patch(radii, x, moving, 0.0);
  std::vector<double> rest, restRadii, whole, local, ignored;
  for (int i = 0; i < 60; ++i) {
    if (std::find(moving.begin(), moving.end(), i) != moving.end()) continue;
    rest.insert(rest.end(), {x[2 * i], x[2 * i + 1]});
    restRadii.push_back(radii[i]);
  }
  for (auto term : {depthTerm, lensTerm}) {
    const double all = overlapSum(term, radii, x, whole);
    const double others = overlapSum(term, restRadii, rest, ignored);
    EXPECT_NEAR(all - others, patch.sum(term, patch.coordinates(), local), 1e-15);
    for (std::size_t a = 0; a < moving.size(); ++a) {
      EXPECT_NEAR(whole[2 * moving[a]], local[2 * a], 1e-13);
      EXPECT_NEAR(whole[2 * moving[a] + 1], local[2 * a + 1], 1e-13);
    }
  }
}

// Rows of points hold these many at these distances, from the 10 x 10 grid
// to rows of alternating lengths, and sheared rows beyond the simple ones;
// staggered rows that hold exactly n points, with no row longer than needed.
TEST(Lattice, HoldsManyPointsFarApart) {
  const struct {
    int n;
    double spacing;
  } cases[] = {{100, 1.0 / 9},
               {200, 0.0786165094338},
               {300, 0.0642417502829},
               {500, 0.0489241587259},
               {700, 0.0413465594924},
               {1000, 1.0 / 29},
               {7, 0.5},
               {2, std::sqrt(2.0)},
               {5, std::sqrt(2.0) / 2},
               {13, std::sqrt(2.0) / 4},
               {32, 5.0 / 24},
               {68, 1.0 / 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    const TLattice best = latticeStarts(c.n, 1).at(0);
    EXPECT_NEAR(c.spacing, best.spacing, 1e-12);
    ASSERT_EQ(static_cast<std::size_t>(c.n), best.points.size());
    double nearest = 2;
    for (std::size_t i = 0; i < best.points.size(); ++i) {
      EXPECT_TRUE(best.points[i].x >= 0 && best.points[i].x <= 1 && best.points[i].y >= 0 &&
                  best.points[i].y <= 1);
      for (std::size_t j = 0; j < i; ++j) {
        nearest = std::min(nearest, distance(best.points[i], best.points[j]));
      }
    }
    EXPECT_NEAR(best.spacing, nearest, 1e-12);
  }
}

TSearchResult search(const std::vector<double>& radii, long steps, std::uint64_t seed = 1) {
  return searchPlacement(radii, seed, TSearchLimits{steps, 60});
}

// Cases with a placement of cost 0, some with little room to spare: nine
// circles fit only as a 3 x 3 grid of spacing 0.5, and 0.2499 leaves 0.04%.
TEST(Packing, ReachesCostZeroWhereItExists) {
  const struct {
    int n;
    double radius;
  } cases[] = {
      {1, 2.0}, {4, 0.2499}, {9, 0.2499}, {25, 0.1249}, {30, 0.999 * 0.224502964531088 / 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    const TSearchResult result = search(std::vector<double>(c.n, c.radius), 2000000);
    EXPECT_EQ(0.0, result.cena);
    EXPECT_EQ(0.0, placementCost(std::vector<double>(c.n, c.radius), result.tocke));
    for (const Tocka& p : result.tocke) {
      EXPECT_TRUE(p.x >= 0 && p.x <= 1 && p.y >= 0 && p.y <= 1);
    }
  }
}

// Basin hopping keeps a shaken placement that is better than the one it
// shook: with these budgets it reaches cost 0, where restarts alone (every
// shaken placement thrown away) leave 5e-6 to 3e-5. (No row of points starts
// these at 0.)
TEST(Packing, KeepsAShakenPlacementThatIsBetter) {
  const struct {
    int n;
    double d;
    std::uint64_t seed;
  } cases[] = {{49, 0.167386076868325, 1}, {49, 0.167386076868325, 2}, {61, 0.14854412669518, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.n << " circles, seed " << c.seed);
    EXPECT_EQ(0.0, search(std::vector<double>(c.n, 0.999 * c.d / 2), 100000, c.seed).cena);
  }
}

// Mixed sizes: a large disc and small ones that a random start puts inside
// it; only a push that does not depend on the area separates them.
TEST(Packing, SeparatesDiscsThatStartInsideOthers) {
  std::vector<double> radii(12, 0.1);
  radii[0] = 0.45;
  EXPECT_EQ(0.0, search(radii, 2000000).cena);
}

// A disc of radius 2 holds the others wherever they are: their lens areas
// cannot change, so the cost's gradient is 0 while the cost is not. The
// search must end, with the small discs apart.
TEST(Packing, EndsWhereTheCostCannotFall) {
  const std::vector<double> radii = {2.0, 0.1, 0.1};
  const TSearchResult result = search(radii, 20000);
  EXPECT_NEAR(2 * M_PI * 0.01, result.cena, 1e-12);
  EXPECT_EQ(20000, result.steps);
}

// Where no placement is free of overlap, the search still returns its best.
// Ten circles 1% larger than the best packing allows overlap by about 0.004
// at each of some 17 contacts of that packing, about 6e-5 each.
TEST(Packing, ReturnsASmallCostWhereZeroIsOutOfReach) {
  const std::vector<double> radii(10, 1.01 * 0.421279543983903 / 2);
  const TSearchResult result = search(radii, 200000);
  EXPECT_GT(result.cena, 0.0);
  EXPECT_LT(result.cena, 2e-3);
  EXPECT_EQ(result.cena, placementCost(radii, result.tocke));
}

// Discs of two sizes on a 4 x 4 grid, in rows of one size: the large ones
// overlap their neighbours. Trades take the energy to a millionth, and each
// circle must come back where its own disc ended; shifts alone leave a
// thousandth.
TEST(Anneal, TradesSortDiscsIntoTheHolesThatFitThem) {
  std::vector<double> radii, x;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      radii.push_back(row % 2 == 0 ? 0.23 : 0.1);
      x.insert(x.end(), {column / 3.0, row / 3.0});
    }
  }
  std::vector<double> ignored;
  const double start = overlapSum(depthTerm, radii, x, ignored);
  std::mt19937_64 random(1);
  packing_detail::TBudget budget(TSearchLimits{30000, -1}, nullptr);
  // The search is shown the placement as it goes, to keep the best one met.
  double leastLooked = start;
  packing_detail::annealWithSwaps(
      radii, x, random, budget, 1, start / radii.size(), [&](const std::vector<double>& looked) {
        leastLooked = std::min(leastLooked, overlapSum(depthTerm, radii, looked, ignored));
      });
  EXPECT_LT(leastLooked, 1e-3 * start);
  EXPECT_LT(overlapSum(depthTerm, radii, x, ignored), 1e-5 * start);
  EXPECT_TRUE(std::all_of(x.begin(), x.end(), [](double c) { return c >= 0 && c <= 1; }));
}

// A hot annealing carries discs far between two renewals of its neighbour
// lists; whenever it ends early, on finding no overlap, there is none: the
// lists miss no pair that came to overlap. (Four discs and thousands of
// runs: with few discs a list goes longest without being renewed.)
TEST(Anneal, EndsEarlyOnlyWhereNoDiscsOverlap) {
  int early = 0, overlapping = 0;
  for (int seed = 1; seed <= 4000; ++seed) {
    std::mt19937_64 random(seed);
    std::vector<double> radii(4, 0.2), x(8), ignored;
    for (double& c : x) c = unitDraw(random);
    x[2] = x[0];  // two discs on one centre: the start overlaps
    x[3] = x[1];
    packing_detail::TBudget budget(TSearchLimits{3000, -1}, nullptr);
    packing_detail::annealWithSwaps(radii, x, random, budget, 1, 1,
                                    [](const std::vector<double>&) {});
    if (budget.exhausted(3)) continue;
    ++early;
    if (overlapSum(depthTerm, radii, x, ignored) > 0) ++overlapping;
  }
  EXPECT_GT(early, 3000);
  EXPECT_EQ(0, overlapping);
}

}  // namespace
