// Compares crAtan2 with MPFR's correctly rounded atan2 on many random
// arguments, on every core: `make atan2-check` runs 10^8.
//
// Usage: atan2_check [COUNT] [SEED]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/Atan2.h"
#include "support/Atan2Arguments.h"
#include "support/Mpfr.h"

namespace {

struct TTally {
  long checked = 0;
  long wrong = 0;
  long undecided = 0;
};

// A mix of the arguments the evaluator meets and of every other kind.
TAtan2Argument mixedArgument(TAtan2Random& random) {
  switch (random() % 10) {
    case 0:
    case 1:
    case 2:
    case 3:
      return lensArgument(random);
    case 4:
    case 5:
    case 6:
      return squareArgument(random);
    case 7:
    case 8:
      return scaledArgument(random, 64);
    default:
      return scaledArgument(random, 2100);
  }
}

void checkSome(long count, std::uint64_t seed, TTally& tally) {
  TAtan2Random random(seed);
  const bool fused = atan2_detail::fusedMultiplyAddAvailable();
  for (long i = 0; i < count; ++i) {
    const TAtan2Argument a = mixedArgument(random);
    const double expected = mpfrAtan2(a.y, a.x), actual = crAtan2(a.y, a.x);
    double fast;
    if (!atan2_detail::fastAtan2(a.y, a.x, fast, fused)) ++tally.undecided;
    ++tally.checked;
    if (std::memcmp(&expected, &actual, sizeof actual) != 0 && ++tally.wrong <= 10) {
      std::printf("atan2(%a, %a) = %a, not %a\n", a.y, a.x, actual, expected);
    }
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<TTally> tallies(threads);
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    const long share = count / threads + (t < count % threads ? 1 : 0);
    workers.emplace_back(checkSome, share, seed * 1000 + t, std::ref(tallies[t]));
  }
  TTally total;
  for (unsigned t = 0; t < threads; ++t) {
    workers[t].join();
    total.checked += tallies[t].checked;
    total.wrong += tallies[t].wrong;
    total.undecided += tallies[t].undecided;
  }
  std::printf(
      "%ld arguments, %ld rounded differently from MPFR; the fast path left %ld (%.2g) "
      "to the precise one\n",
      total.checked, total.wrong, total.undecided,
      static_cast<double>(total.undecided) / total.checked);
  return total.wrong == 0 ? 0 : 1;
}
