#include "scoring/Cost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scoring/Geometry.h"
#include "support/Bits.h"

namespace {

struct TLayout {
  std::vector<double> radii;
  std::vector<Tocka> tocke;

  void add(double r, double x, double y) {
    radii.push_back(r);
    tocke.push_back({std::clamp(x, 0.0, 1.0), std::clamp(y, 0.0, 1.0)});
  }
};

using Random = std::mt19937_64;
double uniform(Random& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}

// Each layout mixes plain random circles with the cases that sit on the
// edges of the formulas: touching pairs, pairs within 1e-8 of touching,
// coincident centres, centres on cell borders and at the square's sides, and
// chains of the largest circles overlapping by a hair.
TLayout edgyLayout(Random& random, double maxRadius, int n) {
  TLayout layout;
  const double offsets[] = {0.0,     1e-8,     -1e-8,    5e-9,       -5e-9,          2e-8,
                            -2e-8,   1e-16,    -1e-16,   -1.0005e-8, -1.00000001e-8, -0.9999e-8,
                            -1.1e-8, -1.01e-8, -1.001e-8};
  const int nOffsets = sizeof offsets / sizeof offsets[0];
  while (static_cast<int>(layout.radii.size()) < n) {
    const double r = uniform(random, maxRadius / 100, maxRadius);
    const double x = uniform(random, 0, 1), y = uniform(random, 0, 1);
    layout.add(r, x, y);
    switch (random() % 7) {
      case 0: {  // A neighbour at touching distance, give or take the tolerance.
        const double R = random() % 2 ? r : uniform(random, maxRadius / 100, maxRadius);
        const double d = r + R + offsets[random() % nOffsets];
        const double angle = uniform(random, 0, 2 * PI);
        if (random() % 2) {
          layout.add(R, x + d, y);
        } else {
          layout.add(R, x + d * std::cos(angle), y + d * std::sin(angle));
        }
        break;
      }
      case 1:  // Coincident centres.
        layout.add(uniform(random, maxRadius / 100, maxRadius), x, y);
        break;
      case 2: {  // A centre on a cell border or a side of the square.
        const int cells = static_cast<int>(random() % 40) + 1;
        layout.add(r, static_cast<double>(random() % (cells + 1)) / cells,
                   random() % 2 ? 0.0 : 1.0);
        break;
      }
      case 3: {  // The largest circles in a row, each just overlapping the last.
        double at = x;
        for (int i = 0; i < 8; ++i) {
          at += 2 * maxRadius + offsets[random() % nOffsets] - 1e-7 * (random() % 2);
          layout.add(maxRadius, at, y);
        }
        break;
      }
      default:
        break;
    }
  }
  layout.radii.resize(n);
  layout.tocke.resize(n);
  return layout;
}

TEST(PlacementCost, EqualsTheAllPairsSumBitForBit) {
  Random random(2026);
  const double maxRadii[] = {1e-300, 1e-9, 1e-4, 0.005, 0.02, 0.05, 0.1, 0.2, 2.0};
  for (double maxRadius : maxRadii) {
    for (int n : {32, 100, 1000}) {
      for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(testing::Message() << "max radius " << maxRadius << ", " << n << " circles");
        const TLayout layout = edgyLayout(random, maxRadius, n);
        const double expected = allPairsCost(layout.radii, layout.tocke);
        EXPECT_TRUE(sameBits(expected, placementCost(layout.radii, layout.tocke)))
            << expected << " != " << placementCost(layout.radii, layout.tocke);
      }
    }
  }
}

TEST(PlacementCost, EqualsTheAllPairsSumWhenCirclesCrowd) {
  // Small circles piled into one corner: the grid is dense, every pair overlaps.
  Random random(7);
  TLayout pile;
  for (int i = 0; i < 300; ++i) pile.add(0.01, uniform(random, 0, 0.01), uniform(random, 0, 0.01));
  EXPECT_TRUE(
      sameBits(allPairsCost(pile.radii, pile.tocke), placementCost(pile.radii, pile.tocke)));
  EXPECT_GT(allPairsCost(pile.radii, pile.tocke), 0.0);
}

TEST(PlacementCost, AddsInPairOrder) {
  // Many overlaps of very different sizes for the last circles: another order
  // of addition changes the sum's low bits, so a grid that lost the order
  // shows here.
  Random random(11);
  TLayout layout;
  for (int i = 0; i < 300; ++i) layout.add(0.005, uniform(random, 0, 1), uniform(random, 0, 1));
  for (int i = 0; i < 30; ++i) {
    layout.add(uniform(random, 1e-4, 0.01), uniform(random, 0.48, 0.52),
               uniform(random, 0.48, 0.52));
  }
  for (int i = 0; i < 3; ++i) layout.add(0.02, 0.5, 0.5 + 0.001 * i);
  EXPECT_TRUE(sameBits(allPairsCost(layout.radii, layout.tocke),
                       placementCost(layout.radii, layout.tocke)));
}

// The grid is what makes a large case quick: on a sparse layout it must look
// at far fewer pairs than all.
TEST(CandidatePairs, AreFewOnASparseLayout) {
  Random random(5);
  TLayout sparse;
  for (int i = 0; i < 1000; ++i) sparse.add(0.01, uniform(random, 0, 1), uniform(random, 0, 1));
  long pairs = 0;
  forEachCandidatePair(sparse.radii, sparse.tocke, [&pairs](int, int) { ++pairs; });
  EXPECT_LT(pairs, 1000L * 999 / 2 / 20);
}

// The optimiser asks about centres far outside the square, or NaN, between
// its steps: each lands in a cell, and every pair that may overlap is still
// visited. (Under the sanitizer a conversion out of range fails here.)
TEST(CandidatePairs, TakeAnyCentre) {
  TLayout layout;
  for (int i = 0; i < 100; ++i) layout.add(0.01, 0.1 * (i % 10), 0.1 * (i / 10));
  const double far[] = {6e300, -6e300, NAN, INFINITY, -INFINITY, 1.5, -0.5};
  for (int i = 0; i < 7; ++i) layout.tocke[10 * i] = {far[i], far[6 - i]};
  std::vector<std::vector<bool>> visited(100, std::vector<bool>(100, false));
  long pairs = 0;
  forEachCandidatePair(layout.radii, layout.tocke, [&](int j, int k) {
    visited[j][k] = true;
    ++pairs;
  });
  EXPECT_LT(pairs, 100 * 99 / 2);  // the grid's, not all
  for (int j = 1; j < 100; ++j) {
    for (int k = 0; k < j; ++k) {
      const bool mayOverlap = !(distance(layout.tocke[j], layout.tocke[k]) >= 0.02);
      if (mayOverlap && std::isfinite(layout.tocke[j].x + layout.tocke[k].x)) {
        EXPECT_TRUE(visited[j][k]) << j << ", " << k;
      }
    }
  }
}

}  // namespace
