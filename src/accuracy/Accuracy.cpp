#include "accuracy/Accuracy.h"

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "cli/CommandLine.h"
#include "scoring/Geometry.h"

namespace {

using Random = std::mt19937_64;

int draw(Random& rnd, int a, int b) { return std::uniform_int_distribution<int>(a, b)(rnd); }

double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Calls due() as often as it likes; it is true once every `seconds`.
class TTicker {
 public:
  explicit TTicker(double seconds = 5)
      : seconds_(seconds), start_(now()), next_(start_ + seconds) {}
  bool due() {
    const double t = now();
    if (t < next_) return false;
    next_ = t + seconds_;
    return true;
  }
  // Seconds since the ticker was made.
  double elapsed() const { return now() - start_; }

 private:
  double seconds_;
  double start_;
  double next_;
};

// A line on `progress` every few seconds, unless it is null: the drivers
// print only when their figure changes, which may not happen for hours.
class TDriverProgress {
 public:
  TDriverProgress(std::FILE* progress, const char* driver, const char* figure)
      : progress_(progress), driver_(driver), figure_(figure) {}
  void pass(long passes, double value) {
    if (progress_ == nullptr || !ticker_.due()) return;
    std::fprintf(progress_, "%s: %ld passes, %s %.6e, %.0f s\n", driver_, passes, figure_, value,
                 ticker_.elapsed());
    std::fflush(progress_);
  }

 private:
  std::FILE* progress_;
  const char* driver_;
  const char* figure_;
  TTicker ticker_;
};

}  // namespace

void checkSegment(double x, double r, double& maxRazlika, std::FILE* out) {
  const int N = 2000;
  const double h = r / N;
  long count = 0;
  for (int i = -(N + 10); i <= N + 10; ++i) {
    const double u = (i + 0.5) * h;
    if (!(u >= x)) continue;  // No point of this column counts.
    for (int j = -(N + 10); j <= N + 10; ++j) {
      const double v = (j + 0.5) * h;
      if (r * r >= u * u + v * v) ++count;
    }
  }
  const double a = segmentArea(x, r) / (r * r);
  const double g = count * h * h / (r * r);
  const double e = std::abs(a - g);
  if (e > maxRazlika) {
    maxRazlika = e;
    std::fprintf(out, "Odsek(x = %9.1f, r = %9.1f): %9.3f %9.3f, razlika %9.3e\n", x, r, a, g, e);
    std::fflush(out);
  }
}

void checkLens(double r, double R, double d, double& maxRazlika, std::FILE* out) {
  const int N = 1000;
  const double h = r / N;
  long count = 0;
  for (int i = -(N + 10); i <= N + 10; ++i) {
    const double u = (i + 0.5) * h;
    if (u < d - R || u > d + R) continue;
    for (int j = -(N + 10); j <= N + 10; ++j) {
      const double v = (j + 0.5) * h;
      if (!(u * u + v * v > r * r || (d - u) * (d - u) + v * v > R * R)) ++count;
    }
  }
  const double a = lensArea(r, R, d) / (r * r);
  const double g = count * h * h / (r * r);
  const double e = std::abs(a - g);
  if (e > maxRazlika) {
    maxRazlika = e;
    std::fprintf(out, "Presek(r = %g, R = %g, d = %g): %9.3f %9.3f, razlika %9.3e\n", r, R, d, a, g,
                 e);
    std::fflush(out);
  }
}

double runSegmentDriver(long passes, std::FILE* out, std::FILE* progress) {
  Random rnd(123);
  double maxRazlika = 0.0;
  TDriverProgress report(progress, "segment", "largest difference");
  for (long loop = 0; passes < 0 || loop < passes; ++loop) {
    report.pass(loop, maxRazlika);
    const int r = draw(rnd, 10, 100);
    const int x = draw(rnd, -r - 2, r + 2);
    checkSegment(x, r, maxRazlika, out);
    checkSegment(0.1 * x, 0.1 * r, maxRazlika, out);
    checkSegment(0.01 * x, 0.01 * r, maxRazlika, out);
  }
  return maxRazlika;
}

double runLensDriver(long passes, std::FILE* out, std::FILE* progress) {
  Random rnd(123);
  double maxRazlika = 0.0;
  TDriverProgress report(progress, "lens", "largest difference");
  for (long loop = 0; passes < 0 || loop < passes; ++loop) {
    report.pass(loop, maxRazlika);
    const int a = draw(rnd, 10, 100);
    draw(rnd, 10, 100);  // Drawn but unused: keeps the sequence of draws.
    const int c = draw(rnd, 10, 150);
    // The second disc is so large that the first always lies inside it.
    checkLens(a, 3 * (c + 2 * a), c, maxRazlika, out);
  }
  return maxRazlika;
}

double runPlacementSearch(long passes, std::FILE* out, std::FILE* progress) {
  Random rnd(123);
  const std::vector<double> rs = {0.1, 0.2, 0.5, 0.7};
  const int n = static_cast<int>(rs.size());
  std::vector<int> xs(n), ys(n);
  const int fixedXs[] = {30, 30, 70, 70};
  const int fixedYs[] = {50, 70, 70, 30};
  const int S = 100;
  double best = -1.0;
  TDriverProgress report(progress, "search", "best cost");
  for (long loop = 0; passes < 0 || loop < passes; ++loop) {
    report.pass(loop, best);
    for (int i = 0; i < n; ++i) {
      xs[i] = draw(rnd, 0, S);
      ys[i] = draw(rnd, 0, S);
    }
    // The fixed placement replaces the draws, which still advance the engine.
    for (int i = 0; i < n; ++i) {
      xs[i] = fixedXs[i];
      ys[i] = fixedYs[i];
    }
    double cost = 0.0;
    for (int j = 1; j < n; ++j) {
      for (int k = 0; k < j; ++k) {
        const double dx = static_cast<double>(xs[j] - xs[k]) / S;
        const double dy = static_cast<double>(ys[j] - ys[k]) / S;
        cost += lensArea(rs[j], rs[k], std::sqrt(dx * dx + dy * dy));
      }
    }
    if (best < 0 || best > cost) {
      std::fprintf(out, "%10.6f  ", cost);
      best = cost;
      for (int i = 0; i < n; ++i) std::fprintf(out, "  (%d, %d)", xs[i], ys[i]);
      std::fprintf(out, "\n");
      std::fflush(out);
    }
  }
  return best;
}

int runAccuracyCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const TToolText tool = {"Tql25Mirvasta-accuracy",
                          kAccuracyUsage,
                          {{kToolExitOk, "the passes ran"}, {kToolExitRefusedFile, nullptr}}};
  return runTool(tool, args, out, err, [&] {
    const TArguments split = splitArguments(args, {"--passes"}, {});
    if (split.positional.size() != 1) throw EUsageError("name one driver");
    long passes = -1;
    for (const auto& option : split.options) {
      passes = numberOption<long>(option.second, option.first);
      if (passes < 1) throw EUsageError("--passes must be 1 or more");
    }
    const std::string& driver = split.positional[0];
    if (driver == "segment") {
      runSegmentDriver(passes, out, err);
    } else if (driver == "lens") {
      runLensDriver(passes, out, err);
    } else if (driver == "search") {
      runPlacementSearch(passes, out, err);
    } else {
      throw EUsageError("unknown driver: " + driver);
    }
    return kToolExitOk;
  });
}
