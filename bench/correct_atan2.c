/* Linked into the reference build that `make bench` compares bytes with: the
 * C library's atan2 replaced by a correctly rounded one, so that the
 * reference's costs are the ones the evaluator must reproduce. atan2l, good
 * to a few units of its 64-bit last place, settles almost every argument;
 * MPFR settles the few near a rounding boundary. */
#include <math.h>
#include <mpfr.h>

static double mpfr_atan2_rounded(double y, double x) {
  static int ready;
  if (!ready) {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    ready = 1;
  }
  mpfr_t r, my, mx;
  mpfr_inits2(53, r, my, mx, (mpfr_ptr)0);
  mpfr_set_d(my, y, MPFR_RNDN);
  mpfr_set_d(mx, x, MPFR_RNDN);
  int ternary = mpfr_atan2(r, my, mx, MPFR_RNDN);
  ternary = mpfr_subnormalize(r, ternary, MPFR_RNDN);
  const double result = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clears(r, my, mx, (mpfr_ptr)0);
  return result;
}

double atan2(double y, double x) {
  const long double r = atan2l(y, x);
  const long double margin = fabsl(r) * 0x1p-58L;
  const double low = (double)(r - margin), high = (double)(r + margin);
  return low == high ? low : mpfr_atan2_rounded(y, x);
}
