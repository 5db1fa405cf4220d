// Compares crAtan2 with MPFR's correctly rounded atan2 on many random
// arguments, on every core: `make atan2-check` runs 10^8.
//
// Usage: atan2_check [COUNT] [SEED]

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/Atan2_detail.h"
#include "support/Atan2Arguments.h"
#include "support/Mpfr.h"

namespace {

struct TTally {
  std::atomic<long> checked{0};
  std::atomic<long> wrong{0};
  std::atomic<long> undecided{0};
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

// A whole argument as a number of at least `least`, or false.
template <typename Number>
bool parse(const char* text, Number least, Number& value) {
  const char* end = text + std::strlen(text);
  const std::from_chars_result read = std::from_chars(text, end, value);
  return read.ec == std::errc() && read.ptr == end && value >= least;
}

}  // namespace

int main(int argc, char* argv[]) {
  long count = 100000000;
  std::uint64_t seed = 1;
  if (argc > 3 || (argc > 1 && !parse(argv[1], 1L, count)) ||
      (argc > 2 && !parse(argv[2], std::uint64_t{0}, seed))) {
    std::fprintf(stderr,
                 "Usage: atan2_check [COUNT] [SEED]: COUNT 1 or more (default 10^8), "
                 "SEED 0 or more (default 1)\n");
    return 2;
  }
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  TTally total;
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    const long share = count / threads + (t < count % threads ? 1 : 0);
    workers.emplace_back(checkSome, share, seed * 1000 + t, std::ref(total));
  }
  // A line every ten seconds: 10^8 arguments take some minutes.
  const auto start = std::chrono::steady_clock::now();
  while (total.checked < count) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    static double next = 10;
    if (seconds >= next && total.checked < count) {
      next += 10;
      std::fprintf(stderr, "%ld of %ld arguments checked, %ld wrong, %.0f s\n",
                   total.checked.load(), count, total.wrong.load(), seconds);
    }
  }
  for (std::thread& worker : workers) worker.join();
  std::printf(
      "%ld arguments, %ld rounded differently from MPFR; the fast path left %ld (%.2g) "
      "to the precise one\n",
      total.checked.load(), total.wrong.load(), total.undecided.load(),
      static_cast<double>(total.undecided) / total.checked);
  return total.wrong == 0 ? 0 : 1;
}
