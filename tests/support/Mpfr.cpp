#include "support/Mpfr.h"

#include <mpfr.h>

#include <cmath>
#include <cstdint>

namespace {

// Doubles' exponent range, so that results round as doubles do, subnormals
// included. MPFR keeps the range per thread.
struct TDoubleRange {
  TDoubleRange() {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
  }
};

void splitInTwo(mpfr_t value, double& hi, double& lo) {
  hi = mpfr_get_d(value, MPFR_RNDN);
  mpfr_sub_d(value, value, hi, MPFR_RNDN);
  lo = mpfr_get_d(value, MPFR_RNDN);
}

}  // namespace

double mpfrAtan2(double y, double x) {
  thread_local const TDoubleRange range;
  mpfr_t r, my, mx;
  mpfr_inits2(53, r, my, mx, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(my, y, MPFR_RNDN);
  mpfr_set_d(mx, x, MPFR_RNDN);
  int ternary = mpfr_atan2(r, my, mx, MPFR_RNDN);
  ternary = mpfr_subnormalize(r, ternary, MPFR_RNDN);
  const double result = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clears(r, my, mx, static_cast<mpfr_ptr>(nullptr));
  return result;
}

void mpfrAtanOfStep(int i, double& hi, double& lo) {
  mpfr_t value;
  mpfr_init2(value, 300);
  mpfr_set_si(value, i, MPFR_RNDN);
  mpfr_div_ui(value, value, 256, MPFR_RNDN);
  mpfr_atan(value, value, MPFR_RNDN);
  splitInTwo(value, hi, lo);
  mpfr_clear(value);
}

void mpfrPiTimes(int numerator, int denominator, double& hi, double& lo) {
  mpfr_t value;
  mpfr_init2(value, 300);
  mpfr_const_pi(value, MPFR_RNDN);
  mpfr_mul_si(value, value, numerator, MPFR_RNDN);
  mpfr_div_si(value, value, denominator, MPFR_RNDN);
  splitInTwo(value, hi, lo);
  mpfr_clear(value);
}

// The last convergent p / q of the continued fraction of tan(halfway) with
// both terms below 2^53 lies within 1 / q^2 of it.
void pairNearHalfway(double t, double offset, int scale, double& y, double& x) {
  mpfr_t angle, ratio, rest, term, p0, p1, q0, q1, next;
  mpfr_inits2(400, angle, ratio, rest, term, p0, p1, q0, q1, next, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(angle, t, MPFR_RNDN);
  mpfr_set_d(term, std::nextafter(t, 0.0), MPFR_RNDN);
  mpfr_sub(term, angle, term, MPFR_RNDN);  // ulp below |t|
  mpfr_div_2ui(term, term, 1, MPFR_RNDN);
  mpfr_add(angle, angle, term, MPFR_RNDN);  // halfway, away from zero
  mpfr_mul_d(term, angle, offset, MPFR_RNDN);
  mpfr_add(angle, angle, term, MPFR_RNDN);
  mpfr_tan(ratio, angle, MPFR_RNDN);
  mpfr_abs(ratio, ratio, MPFR_RNDN);
  const double limit = 0x1p53;
  mpfr_set_ui(p0, 1, MPFR_RNDN);
  mpfr_set_ui(q0, 0, MPFR_RNDN);
  mpfr_floor(term, ratio);
  mpfr_set(p1, term, MPFR_RNDN);
  mpfr_set_ui(q1, 1, MPFR_RNDN);
  mpfr_sub(rest, ratio, term, MPFR_RNDN);
  double p = mpfr_get_d(p1, MPFR_RNDN), q = 1;
  while (!mpfr_zero_p(rest)) {
    mpfr_ui_div(rest, 1, rest, MPFR_RNDN);
    mpfr_floor(term, rest);
    mpfr_sub(rest, rest, term, MPFR_RNDN);
    mpfr_fma(next, term, p1, p0, MPFR_RNDN);
    if (mpfr_get_d(next, MPFR_RNDN) >= limit) break;
    mpfr_swap(p0, p1);
    mpfr_set(p1, next, MPFR_RNDN);
    mpfr_fma(next, term, q1, q0, MPFR_RNDN);
    if (mpfr_get_d(next, MPFR_RNDN) >= limit) break;
    mpfr_swap(q0, q1);
    mpfr_set(q1, next, MPFR_RNDN);
    p = mpfr_get_d(p1, MPFR_RNDN);
    q = mpfr_get_d(q1, MPFR_RNDN);
  }
  // The signs of sine and cosine of the angle give the quadrant.
  mpfr_sin(term, angle, MPFR_RNDN);
  const bool yNegative = mpfr_sgn(term) < 0;
  mpfr_cos(term, angle, MPFR_RNDN);
  const bool xNegative = mpfr_sgn(term) < 0;
  y = std::ldexp(yNegative ? -p : p, scale);
  x = std::ldexp(xNegative ? -q : q, scale);
  mpfr_clears(angle, ratio, rest, term, p0, p1, q0, q1, next, static_cast<mpfr_ptr>(nullptr));
}
