#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "base/Atan2_detail.h"
#include "support/Atan2Arguments.h"
#include "support/Bits.h"
#include "support/Mpfr.h"

namespace {

using atan2_detail::fastAtan2;
using atan2_detail::fusedMultiplyAddAvailable;

std::string hex(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

TEST(Atan2Constants, AreTheRoundedValues) {
  for (int i = 0; i <= atan2_detail::kTableSteps; ++i) {
    double hi, lo;
    mpfrAtanOfStep(i, hi, lo);
    SCOPED_TRACE("atan(" + std::to_string(i) + "/256)");
    EXPECT_EQ(hex(hi), hex(atan2_detail::kAtanTable[i].hi));
    EXPECT_EQ(hex(lo), hex(atan2_detail::kAtanTable[i].lo));
  }
  double hi, lo;
  mpfrPiTimes(1, 2, hi, lo);
  EXPECT_EQ(hex(hi) + hex(lo), hex(atan2_detail::kHalfPi.hi) + hex(atan2_detail::kHalfPi.lo));
  mpfrPiTimes(1, 1, hi, lo);
  EXPECT_EQ(hex(hi) + hex(lo), hex(atan2_detail::kPi.hi) + hex(atan2_detail::kPi.lo));
  EXPECT_EQ("0x1.921fb54442d18p+1", hex(4.0 * crAtan(1.0)));
}

// C's atan2 on the axes, at the infinities and on the diagonals: results that
// need no arithmetic, only the right constant and sign.
TEST(Atan2, ExactCases) {
  const double pi = 0x1.921fb54442d18p+1, half = pi / 2, quarter = pi / 4;
  const double threeQuarters = 0x1.2d97c7f3321d2p+1;
  const double inf = std::numeric_limits<double>::infinity();
  const double tiny = std::numeric_limits<double>::denorm_min(), huge = DBL_MAX;
  const struct {
    double y, x, expected;
  } cases[] = {
      {0.0, 0.0, 0.0},
      {-0.0, 0.0, -0.0},
      {0.0, -0.0, pi},
      {-0.0, -0.0, -pi},
      {0.0, tiny, 0.0},
      {-0.0, 5.0, -0.0},
      {0.0, -tiny, pi},
      {-0.0, -huge, -pi},
      {tiny, 0.0, half},
      {-huge, -0.0, -half},
      {1.0, -0.0, half},
      {-1.0, 0.0, -half},
      {inf, inf, quarter},
      {-inf, inf, -quarter},
      {inf, -inf, threeQuarters},
      {-inf, -inf, -threeQuarters},
      {inf, 0.0, half},
      {-inf, -5.0, -half},
      {inf, huge, half},
      {3.0, inf, 0.0},
      {-3.0, inf, -0.0},
      {3.0, -inf, pi},
      {-huge, -inf, -pi},
      {tiny, -inf, pi},
      {1.0, 1.0, quarter},
      {-tiny, tiny, -quarter},
      {huge, -huge, threeQuarters},
      {-3.7, -3.7, -threeQuarters},
      {DBL_MIN, DBL_MIN, quarter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(hex(c.y) + ", " + hex(c.x));
    EXPECT_EQ(hex(c.expected), hex(crAtan2(c.y, c.x)));
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& c : {std::pair{nan, 1.0},
                        {1.0, nan},
                        {nan, inf},
                        {-inf, nan},
                        {0.0, nan},
                        {nan, -0.0},
                        {nan, nan}}) {
    EXPECT_TRUE(std::isnan(crAtan2(c.first, c.second))) << c.first << ", " << c.second;
  }
}

// Below the smallest normal, a quotient u can lie exactly halfway between two
// doubles; atan(u) lies just below it and rounds down, although u itself
// would round to even, upwards here.
TEST(Atan2, HalfwaySubnormalQuotientsRoundDown) {
  const struct {
    double y, x, expected;
  } cases[] = {
      {0x3p-1015, 0x1p60, 0x1p-1074},                             // 1.5 ulp
      {-0x7p-1015, 0x1p60, -0x3p-1074},                           // 3.5 ulp
      {0x5p-1075, 1.0, 0x2p-1074},                                // 2.5 ulp: down is also even
      {0x3p-1074, 0x1p1, 0x1p-1074},                              // exact, not halfway
      {0x1.8p-1022, 0x1p1, 0x1.8p-1023},                          // exact and normal
      {0x1.0000000000003p-1022, 0x1p1, 0x1.0000000000002p-1023},  // even would be ...4p-1023
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(hex(c.y) + " / " + hex(c.x));
    EXPECT_EQ(hex(c.expected), hex(crAtan2(c.y, c.x)));
    EXPECT_EQ(hex(c.expected), hex(mpfrAtan2(c.y, c.x)));
  }
}

// Counts the arguments checked, the fast path's undecided ones, and reports
// the first few results that differ from MPFR's.
class TAgreement {
 public:
  void check(double y, double x) {
    ++checked_;
    const double expected = mpfrAtan2(y, x);
    report(expected, crAtan2(y, x), y, x, "crAtan2");
    for (bool fused : {false, true}) {
      if (fused && !fusedMultiplyAddAvailable()) continue;
      double fast;
      if (fastAtan2(y, x, fast, fused)) {
        report(expected, fast, y, x, fused ? "fused fast path" : "split fast path");
      } else {
        ++undecided_;
      }
    }
  }
  // From few bits, most arguments need the precision raised at least once,
  // and a bound that claims too much shows as a wrong rounding.
  void checkPrecise(double y, double x) {
    ++checked_;
    const double expected = mpfrAtan2(y, x);
    report(expected, atan2_detail::preciseAtan2(y, x), y, x, "precise path");
    report(expected, atan2_detail::preciseAtan2(y, x, 4), y, x, "precise path from 4 bits");
  }
  // The share of fast-path runs that could not decide.
  double undecidedShare() const {
    return static_cast<double>(undecided_) / (checked_ * (fusedMultiplyAddAvailable() ? 2 : 1));
  }
  long wrong() const { return wrong_; }

 private:
  void report(double expected, double actual, double y, double x, const char* what) {
    if (sameBits(expected, actual)) return;
    if (++wrong_ <= 5) {
      ADD_FAILURE() << what << "(" << hex(y) << ", " << hex(x) << ") = " << hex(actual) << ", not "
                    << hex(expected);
    }
  }
  long checked_ = 0;
  long undecided_ = 0;
  long wrong_ = 0;
};

// The arguments lensArea gives.
TEST(Atan2, AgreesWithMpfrOnLensArguments) {
  TAtan2Random random(11);
  TAgreement agreement;
  for (int i = 0; i < 450000; ++i) {
    const TAtan2Argument a = lensArgument(random);
    agreement.check(a.y, a.x);
  }
  EXPECT_EQ(0, agreement.wrong());
  // The fast path settles all but about two arguments in a million.
  EXPECT_LT(agreement.undecidedShare(), 1e-4);
}

// Every quadrant and every scale: exponents from the subnormals to the
// largest, the two near each other or far apart.
TEST(Atan2, AgreesWithMpfrInAllQuadrantsAndScales) {
  TAtan2Random random(12);
  TAgreement agreement;
  for (int i = 0; i < 400000; ++i) {
    const TAtan2Argument a = i % 3 == 0   ? scaledArgument(random, 2100)
                             : i % 3 == 1 ? scaledArgument(random, 64)
                                          : squareArgument(random);
    agreement.check(a.y, a.x);
  }
  EXPECT_EQ(0, agreement.wrong());
}

// Arguments whose angle lies within about 2^-100 of a point halfway between
// two doubles: the fast path must leave them to the precise one, and both
// must round them right.
TEST(Atan2, AgreesWithMpfrNearHalfwayPoints) {
  TAtan2Random random(13);
  TAgreement agreement;
  for (int i = 0; i < 8000; ++i) {
    double t = uniformIn(random, -3.14, 3.14);
    if (i % 4 == 0) t = std::ldexp(t, -static_cast<int>(random() % 40));
    double y, x;
    pairNearHalfway(t, 0.0, static_cast<int>(random() % 1200) - 600, y, x);
    agreement.check(y, x);
    if (i % 8 == 0) agreement.checkPrecise(y, x);
  }
  EXPECT_EQ(0, agreement.wrong());
  EXPECT_GT(agreement.undecidedShare(), 0.5);
}

// Arguments from 2^-82 to 2^-66 of the result away from a halfway point,
// where the fast path's error bound decides: a bound below the true error
// rounds some of them wrong.
TEST(Atan2, AgreesWithMpfrAtTheFastPathsLimit) {
  TAtan2Random random(15);
  TAgreement agreement;
  for (int i = 0; i < 12000; ++i) {
    double t = uniformIn(random, -3.14, 3.14);
    if (i % 3 == 0) t = std::ldexp(t, -static_cast<int>(random() % 20));
    const double offset =
        std::ldexp(uniformIn(random, -1, 1), -66 - static_cast<int>(random() % 16));
    double y, x;
    pairNearHalfway(t, offset, 0, y, x);
    agreement.check(y, x);
  }
  EXPECT_EQ(0, agreement.wrong());
}

// A pair gives each of its angles as crAtan2 gives it alone, whichever path
// each takes: the fast one, the precise one for an argument the fast path
// leaves, or the special values.
TEST(Atan2Pair, GivesEachAngleAsAlone) {
  TAtan2Random random(16);
  std::vector<TAtan2Argument> arguments = {
      {0.0, -1.0}, {1.0, 0.0}, {std::numeric_limits<double>::infinity(), 2.0}, {NAN, 1.0}};
  for (int i = 0; i < 6; ++i) arguments.push_back(lensArgument(random));
  for (int i = 0; i < 6; ++i) {
    TAtan2Argument hard;
    pairNearHalfway(uniformIn(random, 0.1, 3.1), 0.0, 0, hard.y, hard.x);
    double ignored;
    ASSERT_FALSE(fastAtan2(hard.y, hard.x, ignored, false)) << "not left to the precise path";
    arguments.push_back(hard);
  }
  for (const TAtan2Argument& a : arguments) {
    for (const TAtan2Argument& b : arguments) {
      SCOPED_TRACE(hex(a.y) + ", " + hex(a.x) + " and " + hex(b.y) + ", " + hex(b.x));
      const TAnglePair pair = crAtan2Pair(a.y, a.x, b.y, b.x);
      EXPECT_EQ(hex(crAtan2(a.y, a.x)), hex(pair.first));
      EXPECT_EQ(hex(crAtan2(b.y, b.x)), hex(pair.second));
    }
  }
}

TEST(Atan2, PrecisePathAgreesWithMpfrEverywhere) {
  TAtan2Random random(14);
  TAgreement agreement;
  for (int i = 0; i < 3000; ++i) {
    const TAtan2Argument a = i % 2 ? lensArgument(random) : scaledArgument(random, 100);
    agreement.checkPrecise(a.y, a.x);
  }
  EXPECT_EQ(0, agreement.wrong());
}

}  // namespace
