#include "scoring/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Values here come from elementary geometry, not from the formulas under test;
// "near" allows a few units in the last place for a different operation order.
double near(double expected) { return std::abs(expected) * 1e-14; }

TEST(Pi, IsTheDoubleNearestPi) { EXPECT_EQ(3.141592653589793, PI); }

TEST(SegmentArea, HalfWholeAndEmptyDisc) {
  for (double r : {1e-6, 0.3, 1.0, 2.0}) {
    SCOPED_TRACE(r);
    EXPECT_NEAR(M_PI * r * r / 2, segmentArea(0, r), near(r * r));
    EXPECT_EQ(PI * r * r, segmentArea(-r, r));
    EXPECT_EQ(PI * r * r, segmentArea(-2 * r, r));
    EXPECT_EQ(0.0, segmentArea(r, r));
    EXPECT_EQ(0.0, segmentArea(3 * r, r));
  }
}

TEST(SegmentArea, AChordWithinTheToleranceOfTheRimCutsNothing) {
  const double r = 0.7;
  EXPECT_EQ(0.0, segmentArea(r - 5e-9, r));
  EXPECT_GT(segmentArea(r - 2e-8, r), 0.0);
  EXPECT_EQ(PI * r * r, segmentArea(-r + 5e-9, r));
  EXPECT_LT(segmentArea(-r + 2e-8, r), PI * r * r);
  // The limits themselves belong to the rim, and one double inside does not.
  EXPECT_EQ(0.0, segmentArea(r - 1e-8, r));
  EXPECT_GT(segmentArea(std::nextafter(r - 1e-8, 0.0), r), 0.0);
  EXPECT_EQ(PI * r * r, segmentArea(-r + 1e-8, r));
  EXPECT_LT(segmentArea(std::nextafter(-r + 1e-8, 0.0), r), PI * r * r);
}

TEST(SegmentArea, MatchesTheCircularSegmentFormula) {
  // A chord at distance r/2 cuts off r^2 (pi/3 - sqrt(3)/4).
  const double r = 0.4;
  EXPECT_NEAR(r * r * (M_PI / 3 - std::sqrt(3.0) / 4), segmentArea(r / 2, r), near(r * r));
  EXPECT_NEAR(M_PI * r * r - r * r * (M_PI / 3 - std::sqrt(3.0) / 4), segmentArea(-r / 2, r),
              near(r * r));
}

TEST(LensArea, DiscsApartOrTouchingDoNotOverlap) {
  const double r = 0.3, R = 0.45;
  EXPECT_EQ(0.0, lensArea(r, R, r + R));
  EXPECT_EQ(0.0, lensArea(r, R, r + R + 1));
  EXPECT_EQ(0.0, lensArea(r, R, r + R - 1e-8));
  EXPECT_EQ(0.0, lensArea(r, R, r + R - 5e-9));
  EXPECT_GT(lensArea(r, R, r + R - 2e-8), 0.0);
}

TEST(LensArea, CoincidentCentresGiveTheSmallerDisc) {
  EXPECT_EQ(PI * 0.2 * 0.2, lensArea(0.5, 0.2, 0));
  EXPECT_EQ(PI * 0.2 * 0.2, lensArea(0.2, 0.5, 0));
  EXPECT_EQ(PI * 0.2 * 0.2, lensArea(0.5, 0.2, 5e-9));
  EXPECT_NEAR(M_PI * 0.2 * 0.2, lensArea(0.5, 0.2, 1e-8), near(0.04));
  // From 1e-8 on, equal discs are two segments, each at 5e-9 from its
  // centre: each short of half its disc by a strip about 2r 5e-9 wide.
  const double r = 0.5;
  EXPECT_EQ(PI * r * r, lensArea(r, r, std::nextafter(1e-8, 0.0)));
  EXPECT_NEAR(M_PI * r * r - 4 * r * 5e-9, lensArea(r, r, 1e-8), 1e-15);
}

TEST(LensArea, ADiscInsideAnotherGivesItsOwnArea) {
  EXPECT_EQ(PI * 0.2 * 0.2, lensArea(0.2, 1.0, 0.5));
  EXPECT_EQ(PI * 0.2 * 0.2, lensArea(1.0, 0.2, 0.5));
  EXPECT_EQ(PI * 0.5 * 0.5, lensArea(0.5, 2.0, 1.4));
}

TEST(LensArea, EqualDiscsAtDistanceOfTheirRadius) {
  // Two segments cut by a chord at r/2: 2 r^2 (pi/3 - sqrt(3)/4).
  for (double r : {0.01, 0.3, 2.0}) {
    SCOPED_TRACE(r);
    EXPECT_NEAR(2 * r * r * (M_PI / 3 - std::sqrt(3.0) / 4), lensArea(r, r, r), near(r * r));
  }
}

// Where one disc's chord lies exactly at the tolerance from its rim, that
// disc's segment is 0 (or the whole disc) as segmentArea says, also when the
// other chord cuts and both arc tangents would be computed together.
TEST(LensArea, AChordAtTheRimsToleranceCutsNothing) {
  const struct {
    double r, R, d;
    const char* where;
  } cases[] = {
      {0.83353221910271302, 0.70760021420791186, 1.5411324115309191, "c = r - 1e-8"},
      {0.05396015450213198, 0.6902861672231262, 0.7442461837999412, "d - c = R - 1e-8"},
      {0.26975954786922801, 0.72488032672888847, 0.4551207851382249, "c = -r + 1e-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    const double chord = chordDistance(c.r, c.R, c.d), other = c.d - chord;
    ASSERT_TRUE(chord == c.r - kTolerance || other == c.R - kTolerance ||
                chord == -c.r + kTolerance);
    EXPECT_EQ(segmentArea(chord, c.r) + segmentArea(other, c.R), lensArea(c.r, c.R, c.d));
  }
}

TEST(LensArea, DiscsMeetingAtRightAnglesAtTheCentreOfOne) {
  // Radii 1 and 1 at distance sqrt(2): the lens is pi/2 - 1.
  EXPECT_NEAR(M_PI / 2 - 1, lensArea(1, 1, std::sqrt(2.0)), near(1));
}

}  // namespace
