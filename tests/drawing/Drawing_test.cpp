#include "drawing/Drawing.h"

#include <gtest/gtest.h>

#include "base/Format.h"
#include "scoring/Geometry.h"

namespace {

// Every number exactly as it reads back, the cost as the report prints it,
// and every overlapping pair, the largest first, equal areas by their circles.
TEST(BlockJson, HoldsTheBlockExactly) {
  const struct {
    TViewedBlock block;
    std::vector<std::tuple<int, int, double>> pairs;
    std::string numbers;
  } cases[] = {
      // Circles 1 and 2 overlap, 3 stands apart, 4 lies inside 1.
      {{{7, 0.5}, {0.2, 0.2, 0.1, 0.05}, {{0.3, 0.5}, {0.6, 0.5}, {0.8, 0.15}, {0.3, 0.6}}},
       {{1, 2, lensArea(0.2, 0.2, distance({0.6, 0.5}, {0.3, 0.5}))},
        {1, 4, lensArea(0.05, 0.2, distance({0.3, 0.6}, {0.3, 0.5}))}},
       "\"r\":[0.2,0.2,0.1,0.05],\"x\":[0.3,0.6,0.8,0.3],\"y\":[0.5,0.5,0.15,0.6]"},
      // Equal areas: (1, 2) before (2, 3).
      {{{1, 0.25}, {0.2, 0.2, 0.2}, {{0.25, 0.5}, {0.5, 0.5}, {0.75, 0.5}}},
       {{1, 2, lensArea(0.2, 0.2, 0.25)}, {2, 3, lensArea(0.2, 0.2, 0.25)}},
       "\"r\":[0.2,0.2,0.2],\"x\":[0.25,0.5,0.75],\"y\":[0.5,0.5,0.5]"},
  };
  for (const auto& c : cases) {
    std::string pairs;
    for (const auto& [a, b, area] : c.pairs) {
      pairs += (pairs.empty() ? "[" : ",[") + std::to_string(a) + "," + std::to_string(b) + "," +
               shortestDecimal(area) + "]";
    }
    EXPECT_EQ("{\"caseNo\":" + std::to_string(c.block.rezultat.caseNo) + ",\"cost\":\"" +
                  scientificDecimal(c.block.rezultat.cena, 20) + "\"," + c.numbers +
                  ",\"pairs\":[" + pairs + "]}",
              blockJson(c.block));
  }
}

}  // namespace
