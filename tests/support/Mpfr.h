#pragma once

// Reference values from MPFR, for the tests of the numerics only.

// atan2(y, x) correctly rounded to a double, subnormals included.
double mpfrAtan2(double y, double x);

// atan(i / 256) as hi + lo: hi the nearest double, lo the nearest double to
// the rest.
void mpfrAtanOfStep(int i, double& hi, double& lo);

// pi * numerator / denominator as hi + lo, the same way.
void mpfrPiTimes(int numerator, int denominator, double& hi, double& lo);

// A pair (y, x) whose angle lies within about 2^-100 of m (1 + offset), where
// m = t + ulp(t) / 2 (away from zero) is halfway between two doubles: with
// offset 0, the hardest arguments to round. `scale` multiplies both
// coordinates by 2^scale.
void pairNearHalfway(double t, double offset, int scale, double& y, double& x);
