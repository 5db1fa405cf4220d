#include "drawing/Drawing.h"

#include <gtest/gtest.h>

namespace {

// Every number exactly as it reads back, the cost as the report prints it,
// and every overlapping pair, the largest first, equal areas by their
// circles. The areas are the lens formula's, 2r²acos(d/2r) - (d/2)√(4r² - d²)
// for equal discs, evaluated to 40 digits and rounded to the nearest double.
TEST(BlockJson, HoldsTheBlockExactly) {
  const struct {
    TViewedBlock block;
    std::string json;
  } cases[] = {
      // Circles 1 and 2 overlap at distance 0.3 (0.0181324701591043900...),
      // 3 stands apart, 4 lies inside 1 (π·0.05² = 0.00785398163397448309...).
      {{{7, 0.5}, {0.2, 0.2, 0.1, 0.05}, {{0.3, 0.5}, {0.6, 0.5}, {0.8, 0.15}, {0.3, 0.6}}},
       "{\"caseNo\":7,\"cost\":\"5.00000000000000000000e-01\",\"r\":[0.2,0.2,0.1,0.05],"
       "\"x\":[0.3,0.6,0.8,0.3],\"y\":[0.5,0.5,0.15,0.6],"
       "\"pairs\":[[1,2,0.0181324701591044],[1,4,0.007853981633974483]]}"},
      // Equal areas at distance 0.25 (0.0326219460186392089...): (1, 2) before (2, 3).
      {{{1, 0.25}, {0.2, 0.2, 0.2}, {{0.25, 0.5}, {0.5, 0.5}, {0.75, 0.5}}},
       "{\"caseNo\":1,\"cost\":\"2.50000000000000000000e-01\",\"r\":[0.2,0.2,0.2],"
       "\"x\":[0.25,0.5,0.75],\"y\":[0.5,0.5,0.5],"
       "\"pairs\":[[1,2,0.03262194601863921],[2,3,0.03262194601863921]]}"},
      // No pair overlaps: a circle alone, at a corner.
      {{{3, 0}, {1.5}, {{0, 1}}},
       "{\"caseNo\":3,\"cost\":\"0.00000000000000000000e+00\",\"r\":[1.5],\"x\":[0],\"y\":[1],"
       "\"pairs\":[]}"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.json, blockJson(c.block));
}

}  // namespace
