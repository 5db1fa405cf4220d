#include "support/Atan2Arguments.h"

#include <algorithm>
#include <cmath>

double uniformIn(TAtan2Random& random, double low, double high) {
  return low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53;
}

TAtan2Argument lensArgument(TAtan2Random& random) {
  for (;;) {
    const double top = random() % 2 ? 0.05 : 2.0;
    const double r = uniformIn(random, 1e-4, top), R = uniformIn(random, 1e-4, top);
    const double d = uniformIn(random, 0.0, r + R);
    if (d < 1e-8) continue;
    // The chord of the r-disc, or of the R-disc, as lensArea computes them.
    const double c = ((d * d - R * R) + r * r) / (2.0 * d);
    const bool first = random() % 2 == 0;
    const double x = first ? c : d - c, radius = first ? r : R;
    if (x >= radius - 1e-8 || x <= -radius + 1e-8) continue;
    return {std::sqrt(radius * radius - x * x), x};
  }
}

TAtan2Argument scaledArgument(TAtan2Random& random, int spread) {
  auto draw = [&random](int exponent) {
    const double mantissa = 1.0 + static_cast<double>(random() >> 12) * 0x1p-52;
    const double value = std::ldexp(mantissa, std::max(-1074, std::min(1023, exponent)));
    return random() % 2 ? -value : value;
  };
  const int ex = -1074 + static_cast<int>(random() % 2098);
  const int ey = ex - spread + static_cast<int>(random() % (2 * spread + 1));
  const double y = draw(ey);
  return {y, draw(ex)};
}

TAtan2Argument squareArgument(TAtan2Random& random) {
  const double y = uniformIn(random, -1, 1);
  return {y, uniformIn(random, -1, 1)};
}
