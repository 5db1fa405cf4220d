// The multiprecision path of atan2: rare, slow and certain.
//
// Everything is done in fixed point on integers: the angle is found by CORDIC
// vectoring, rotating the vector (1, u) towards the x axis by the angles
// atan(2^-k) with shifts and additions only, and summing those angles. The
// result comes with an error bound; if the bound still straddles a rounding
// boundary, the precision doubles. The exact value is never such a boundary:
// a boundary is rational, and atan of a non-zero rational is not (nor is pi
// minus it, or pi/2 plus or minus it), so the loop ends.

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/Atan2_detail.h"

namespace atan2_detail {

namespace {

// A two's-complement integer of fixed length in 32-bit limbs, least
// significant first; read as a multiple of 2^-F for the precision's F.
using TLimbs = std::vector<std::uint32_t>;

void addLimbs(TLimbs& a, const TLimbs& b) {
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    carry += static_cast<std::uint64_t>(a[i]) + b[i];
    a[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
}

void subtractLimbs(TLimbs& a, const TLimbs& b) {
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::uint64_t difference = static_cast<std::uint64_t>(a[i]) - b[i] - borrow;
    a[i] = static_cast<std::uint32_t>(difference);
    borrow = difference >> 63;
  }
}

bool isNegative(const TLimbs& a) { return (a.back() >> 31) != 0; }

// out = floor(a / 2^k).
void shiftRightLimbs(TLimbs& out, const TLimbs& a, long k) {
  const std::uint32_t fill = isNegative(a) ? 0xFFFFFFFFu : 0;
  const long n = static_cast<long>(a.size());
  const long whole = k / 32;
  const int bits = static_cast<int>(k % 32);
  auto limb = [&](long i) { return i < n ? a[i] : fill; };
  for (long i = 0; i < n; ++i) {
    const std::uint64_t pair =
        (static_cast<std::uint64_t>(limb(i + whole + 1)) << 32) | limb(i + whole);
    out[i] = static_cast<std::uint32_t>(pair >> bits);
  }
}

// a = floor(a / m) for a >= 0.
void divideLimbs(TLimbs& a, std::uint32_t m) {
  std::uint64_t remainder = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    const std::uint64_t part = (remainder << 32) | a[i];
    a[i] = static_cast<std::uint32_t>(part / m);
    remainder = part % m;
  }
}

void setBit(TLimbs& a, long position) { a[position / 32] |= 1u << (position % 32); }

bool isZero(const TLimbs& a) {
  for (std::uint32_t limb : a) {
    if (limb != 0) return false;
  }
  return true;
}

// Fixed-point numbers of F fraction bits, long enough for values below 8.
class TPrecision {
 public:
  explicit TPrecision(long fractionBits)
      : fractionBits_(fractionBits), limbs_(static_cast<std::size_t>(fractionBits / 32 + 2)) {}

  long fractionBits() const { return fractionBits_; }
  TLimbs zero() const { return TLimbs(limbs_, 0); }
  // 2^e, for e < 3.
  TLimbs power(long e) const {
    TLimbs a = zero();
    if (fractionBits_ + e >= 0) setBit(a, fractionBits_ + e);
    return a;
  }

 private:
  long fractionBits_;
  std::size_t limbs_;
};

// numerator * atan(1 / m), from its series; each of its terms is off by less
// than 2.1 units of the last place.
TLimbs scaledAtanOfInverse(const TPrecision& p, long numeratorPower, std::uint32_t m) {
  TLimbs sum = p.zero();
  TLimbs power = p.power(numeratorPower);  // numerator / m^(2j+1), from j = 0
  divideLimbs(power, m);
  TLimbs term = p.zero();
  for (std::uint32_t j = 0; !isZero(power); ++j) {
    term = power;
    divideLimbs(term, 2 * j + 1);
    if (j % 2 == 0) {
      addLimbs(sum, term);
    } else {
      subtractLimbs(sum, term);
    }
    divideLimbs(power, m * m);
  }
  return sum;
}

// pi = 16 atan(1/5) - 4 atan(1/239) (Machin), off by fewer than F units.
TLimbs piOf(const TPrecision& p) {
  TLimbs pi = scaledAtanOfInverse(p, 4, 5);
  subtractLimbs(pi, scaledAtanOfInverse(p, 2, 239));
  return pi;
}

// atan(2^-k) for k >= 1, from its series; off by fewer than F / (2k) + 1 units.
TLimbs atanOfPowerOfTwo(const TPrecision& p, long k) {
  TLimbs sum = p.zero();
  TLimbs term = p.zero();
  for (long j = 0; k * (2 * j + 1) <= p.fractionBits(); ++j) {
    term = p.power(-k * (2 * j + 1));
    divideLimbs(term, static_cast<std::uint32_t>(2 * j + 1));
    if (j % 2 == 0) {
      addLimbs(sum, term);
    } else {
      subtractLimbs(sum, term);
    }
  }
  return sum;
}

// A finite non-zero double as mantissa * 2^exponent, mantissa < 2^53.
struct TBinary {
  std::uint64_t mantissa;
  long exponent;
};

TBinary binaryOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const long biased = static_cast<long>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

long bitLength(std::uint64_t v) {
  long length = 0;
  for (; v != 0; v >>= 1) ++length;
  return length;
}

// floor(n / d * 2^F), for 0 < n <= d, by long division one bit at a time.
TLimbs fixedQuotient(const TPrecision& p, TBinary n, TBinary d) {
  TLimbs quotient = p.zero();
  const long shift = n.exponent - d.exponent + p.fractionBits();
  if (shift < 0) {
    if (shift <= -64) return quotient;
    n.mantissa >>= -shift;
  }
  const long top = bitLength(n.mantissa) - 1 + (shift > 0 ? shift : 0);
  std::uint64_t remainder = 0;
  for (long bit = top; bit >= 0; --bit) {
    const long fromMantissa = bit - (shift > 0 ? shift : 0);
    remainder = 2 * remainder + (fromMantissa >= 0 ? (n.mantissa >> fromMantissa) & 1 : 0);
    if (remainder >= d.mantissa) {
      remainder -= d.mantissa;
      setBit(quotient, bit);
    }
  }
  return quotient;
}

// 2^e as a double, for -1074 <= e <= 1023.
double powerOfTwo(long e) {
  const std::uint64_t bits =
      e >= -1022 ? static_cast<std::uint64_t>(e + 1023) << 52 : std::uint64_t{1} << (e + 1074);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

long highestBit(const TLimbs& a) {
  for (long i = static_cast<long>(a.size()) - 1; i >= 0; --i) {
    if (a[i] != 0) return 32 * i + bitLength(a[i]) - 1;
  }
  return -1;
}

bool bitAt(const TLimbs& a, long position) {
  return position >= 0 && ((a[position / 32] >> (position % 32)) & 1) != 0;
}

bool anyBitBelow(const TLimbs& a, long position) {
  for (long i = 0; i < position; ++i) {
    if (bitAt(a, i)) return true;
  }
  return false;
}

// a * 2^-F rounded to the nearest double, ties to even, for a >= 0.
double roundToDouble(const TPrecision& p, const TLimbs& a) {
  const long top = highestBit(a);
  if (top < 0) return 0.0;
  const long f = p.fractionBits();
  // The lowest kept bit: 53 bits below the top, or the place of 2^-1074.
  long low = top - 52;
  if (low < f - 1074) low = f - 1074;
  if (low <= 0) {
    std::uint64_t m = 0;
    for (long b = top; b >= 0; --b) m = 2 * m + (bitAt(a, b) ? 1 : 0);
    return static_cast<double>(m) * powerOfTwo(-f);
  }
  std::uint64_t m = 0;
  for (long b = top; b >= low; --b) m = 2 * m + (bitAt(a, b) ? 1 : 0);
  if (bitAt(a, low - 1) && (anyBitBelow(a, low - 1) || m % 2 == 1)) ++m;
  return static_cast<double>(m) * powerOfTwo(low - f);
}

// Computes the result within 2^-(W + z) of the exact value, where
// u >= 2^-(z + 1) when the result is atan(u) alone, so that it holds W bits;
// stores its rounding and returns true when both ends of that interval round
// alike.
bool atan2AtPrecision(double n, double d, bool steep, bool towardsNegativeX, long w,
                      double& rounded) {
  const TBinary bn = binaryOf(n), bd = binaryOf(d);
  const bool alone = !steep && !towardsNegativeX;
  long z = 0;
  if (alone) {
    const long gap =
        (bd.exponent + bitLength(bd.mantissa)) - (bn.exponent + bitLength(bn.mantissa));
    z = gap > 0 ? gap : 0;
  }
  // 32 guard bits hold the sum of every rounding below under one unit of
  // 2^-(W + z).
  const TPrecision p(w + z + 32);
  const long steps = w + z + 1;

  // Vectoring: after steps 0 .. k the remaining angle is at most
  // atan(2^-k); each step's shifts are off by under a unit of 2^-F.
  TLimbs x = p.power(0);
  TLimbs y = fixedQuotient(p, bn, bd);
  TLimbs angle = p.zero();
  TLimbs xs = p.zero(), ys = p.zero(), pi = piOf(p), step = p.zero();
  for (long k = 0; k <= steps; ++k) {
    if (k == 0) {
      shiftRightLimbs(step, pi, 2);
    } else {
      step = atanOfPowerOfTwo(p, k);
    }
    shiftRightLimbs(xs, x, k);
    shiftRightLimbs(ys, y, k);
    if (!isNegative(y)) {
      addLimbs(x, ys);
      subtractLimbs(y, xs);
      addLimbs(angle, step);
    } else {
      subtractLimbs(x, ys);
      addLimbs(y, xs);
      subtractLimbs(angle, step);
    }
  }

  TLimbs result = angle;
  if (!alone) {
    TLimbs k = pi;
    if (steep) shiftRightLimbs(k, pi, 1);
    if (steep != towardsNegativeX) {
      subtractLimbs(k, angle);
    } else {
      addLimbs(k, angle);
    }
    result = k;
  }
  TLimbs low = result, high = result;
  const TLimbs bound = p.power(-(w + z));
  subtractLimbs(low, bound);
  addLimbs(high, bound);
  rounded = roundToDouble(p, low);
  return rounded == roundToDouble(p, high);
}

}  // namespace

double preciseAtan2(double y, double x, long firstBits) {
  const double ax = x < 0 ? -x : x, ay = y < 0 ? -y : y;
  const bool steep = ay > ax;
  const double n = steep ? ax : ay, d = steep ? ay : ax;
  double result = 0;
  for (long w = firstBits; !atan2AtPrecision(n, d, steep, x < 0, w, result); w *= 2) {
  }
  return y < 0 ? -result : result;
}

}  // namespace atan2_detail
