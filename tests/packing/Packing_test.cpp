#include "packing/Packing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scoring/Cost.h"

namespace {

using packing_detail::overlapArea;
using packing_detail::overlapEnergy;

// Central differences of an objective agree with its gradient where the
// objective is smooth: discs overlapping partly, deeply, one inside another,
// and centres outside the square.
TEST(Packing, GradientsMatchFiniteDifferences) {
  const std::vector<double> radii = {0.3, 0.25, 0.1, 0.2, 0.05};
  const std::vector<double> x = {0.2,  0.3,  0.6, 0.35, 0.62, 0.38,  // 3 inside 2
                                 -0.1, 0.95, 0.9, 1.05};
  for (auto objective : {overlapEnergy, overlapArea}) {
    std::vector<double> gradient, ignored;
    objective(radii, x, gradient);
    for (std::size_t i = 0; i < x.size(); ++i) {
      SCOPED_TRACE(i);
      const double h = 1e-7;
      std::vector<double> up = x, down = x;
      up[i] += h;
      down[i] -= h;
      const double difference =
          (objective(radii, up, ignored) - objective(radii, down, ignored)) / (2 * h);
      EXPECT_NEAR(difference, gradient[i], 1e-6 * (1 + std::abs(gradient[i])));
    }
  }
}

// The energy is 0 exactly where no discs overlap and the square holds every
// centre; a disc inside another still feels a push, where the area has none.
TEST(Packing, EnergyVanishesOnlyWithoutOverlap) {
  std::vector<double> gradient;
  EXPECT_EQ(0.0, overlapEnergy({0.25, 0.25}, {0.25, 0.5, 0.75, 0.5}, gradient));
  EXPECT_GT(overlapEnergy({0.25, 0.25}, {0.25, 0.5, 0.74, 0.5}, gradient), 0.0);
  EXPECT_GT(overlapEnergy({0.1}, {1.01, 0.5}, gradient), 0.0);
  overlapEnergy({0.4, 0.05}, {0.5, 0.5, 0.55, 0.5}, gradient);
  EXPECT_LT(gradient[2], 0.0);  // the small disc is pushed towards the rim
  overlapArea({0.4, 0.05}, {0.5, 0.5, 0.55, 0.5}, gradient);
  EXPECT_EQ(0.0, gradient[2]);
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
// shaken placement thrown away) still leave 1e-5 to 1e-3.
TEST(Packing, KeepsAShakenPlacementThatIsBetter) {
  const struct {
    int n;
    double d;
    long steps;
  } cases[] = {{36, 0.2, 20000}, {50, 0.16645462588286, 100000}};
  for (const auto& c : cases) {
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
      SCOPED_TRACE(testing::Message() << c.n << " circles, seed " << seed);
      EXPECT_EQ(0.0, search(std::vector<double>(c.n, 0.9999 * c.d / 2), c.steps, seed).cena);
    }
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
  const TSearchResult result = search(radii, 100000);
  EXPECT_NEAR(2 * M_PI * 0.01, result.cena, 1e-12);
  EXPECT_EQ(100000, result.steps);
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

}  // namespace
