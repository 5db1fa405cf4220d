#pragma once

// 4 * atan(1.0), set before the program's entry runs.
extern const double PI;

// Within this absolute distance a chord counts as touching the rim, and two
// centres as coinciding.
constexpr double kTolerance = 1e-8;

// The area of the disc of radius r beyond a chord at signed distance x from
// its centre (away from the centre when x is positive).
double segmentArea(double x, double r);

// The distance from which on discs of radii r and R count as apart or merely
// touching, so that they have no area in common.
inline double touchingDistance(double r, double R) { return r + R - kTolerance; }

// The area common to discs of radii r and R whose centres lie d apart.
double lensArea(double r, double R, double d);
