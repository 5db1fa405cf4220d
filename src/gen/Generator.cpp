#include "gen/Generator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <stdexcept>

#include "base/Assertion.h"
#include "run/Report.h"
#include "scoring/Geometry.h"

namespace {

// Draws from a 64-bit Mersenne Twister with mappings of its own, so that a
// seed gives the same files with any standard library.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : engine_(seed) {}
  // Uniform in [0, 1).
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  double uniform(double low, double high) {
    return std::clamp(low + (high - low) * unit(), low, high);
  }
  int integer(int low, int high) {
    return low + static_cast<int>(engine_() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::mt19937_64 engine_;
};

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::vector<double> drawRadii(TRandom& random, int n, const TInputOptions& options) {
  std::vector<double> radii(n);
  if (options.coverage <= 0) {
    for (double& r : radii) r = random.uniform(options.minRadius, options.maxRadius);
    return radii;
  }
  double sumOfSquares = 0;
  for (double& r : radii) {
    r = random.uniform(0.5, 1.5);
    sumOfSquares += r * r;
  }
  const double scale = std::sqrt(options.coverage / (PI * sumOfSquares));
  for (double& r : radii) r = std::min(r * scale, kMaxRadius);
  return radii;
}

// The overlap that circle `r` at `p` would add to the circles placed so far.
double addedOverlap(const std::vector<Tocka>& placed, const std::vector<double>& placedRadii,
                    Tocka p, double r) {
  double overlap = 0;
  for (std::size_t q = 0; q < placed.size(); ++q) {
    overlap += lensArea(r, placedRadii[q], distance(p, placed[q]));
  }
  return overlap;
}

// Places the largest circles first, each at the best of a few random spots.
std::vector<Tocka> greedyPlacement(TRandom& random, const std::vector<double>& radii) {
  constexpr int kTries = 32;
  std::vector<int> order(radii.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return radii[a] > radii[b]; });
  std::vector<Tocka> tocke(radii.size()), placed;
  std::vector<double> placedRadii;
  for (int i : order) {
    Tocka best{random.unit(), random.unit()};
    double least = addedOverlap(placed, placedRadii, best, radii[i]);
    for (int t = 1; t < kTries && least > 0; ++t) {
      const Tocka p{random.unit(), random.unit()};
      const double overlap = addedOverlap(placed, placedRadii, p, radii[i]);
      if (overlap < least) {
        least = overlap;
        best = p;
      }
    }
    tocke[i] = best;
    placed.push_back(best);
    placedRadii.push_back(radii[i]);
  }
  return tocke;
}

}  // namespace

std::string generateInput(const TInputOptions& options) {
  TRandom random(options.seed);
  std::string text = kTaskName + "\n" + std::to_string(options.cases) + "\n";
  for (int k = 1; k <= options.cases; ++k) {
    const int n = random.integer(options.minCircles, options.maxCircles);
    text += "\n" + std::to_string(k) + "\n" + std::to_string(n) + "\n";
    for (double r : drawRadii(random, n, options)) text += number(r) + "\n";
  }
  return text;
}

std::string generateSubmission(const std::vector<TTestCase>& testCases,
                               const TSubmissionOptions& options) {
  TRandom random(options.seed);
  std::string text = options.contestant + "\n" + kTaskName + "\n";
  for (const TTestCase& testCase : testCases) {
    text += std::to_string(testCase.number) + "\n";
    std::vector<Tocka> tocke;
    if (options.placement == TPlacement::kGreedy) {
      tocke = greedyPlacement(random, testCase.radii);
    } else {
      for (int i = 0; i < testCase.nCircles; ++i) tocke.push_back({random.unit(), random.unit()});
    }
    for (const Tocka& p : tocke) text += number(p.x) + " " + number(p.y) + "\n";
  }
  return text;
}

namespace {

constexpr const char* kUsage =
    "Usage: Tql25Mirvasta-gen [OPTIONS] [-o FILE]\n"
    "Writes a valid task input file for the evaluator:\n"
    "  --cases T            test cases, 1 to 100 (default 10)\n"
    "  --circles N | A-B    circles per case, 1 to 1000 (default 100)\n"
    "  --radius A-B         radii drawn uniformly from [A, B], 0 < A <= B <= 2\n"
    "  --coverage F         radii such that the circles' areas add up to F times the\n"
    "                       square's, 0 < F <= 10 (the default, with F = 0.8)\n"
    "  --seed S             the same seed and options give the same file (default 1)\n"
    "or, with --submission INPUT, a valid submission for that input file:\n"
    "  --contestant NNNNNN  the contestant's six digits (default 000000)\n"
    "  --place random|greedy  uniform centres, or a simple low-overlap placement\n"
    "                       (default greedy)\n"
    "  --seed S\n";

// A bad option: its message goes to standard error with the usage.
struct EOptionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

template <typename Number>
Number parseNumber(const std::string& text, const std::string& option) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) {
    throw EOptionError(option + " needs a number, not \"" + text + "\"");
  }
  return value;
}

double parseReal(const std::string& text, const std::string& option) {
  const double value = parseNumber<double>(text, option);
  if (!std::isfinite(value)) throw EOptionError(option + " needs a finite number");
  return value;
}

// "A-B", or "N" for the range [N, N]. The dash is the first one that is not
// an exponent's sign.
template <typename Number, typename Parse>
std::pair<Number, Number> parseRange(const std::string& text, const std::string& option,
                                     Parse parse) {
  std::size_t dash = text.find('-', 1);
  while (dash != std::string::npos && (text[dash - 1] == 'e' || text[dash - 1] == 'E')) {
    dash = text.find('-', dash + 1);
  }
  if (dash == std::string::npos) {
    const Number value = parse(text, option);
    return {value, value};
  }
  return {parse(text.substr(0, dash), option), parse(text.substr(dash + 1), option)};
}

struct TCommand {
  TInputOptions input;
  TSubmissionOptions submission;
  std::string submissionFor;  // The input file to answer; empty for an input file.
  std::string outPath;
  bool help = false;
};

TCommand parseCommand(const std::vector<std::string>& args) {
  TCommand command;
  std::vector<std::string> inputOptions, submissionOptions;
  bool radiusGiven = false, coverageGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      command.help = true;
      continue;
    }
    if (i + 1 == args.size()) throw EOptionError("unknown option or missing value: " + option);
    const std::string& value = args[++i];
    if (option == "--cases") {
      const int cases = parseNumber<int>(value, option);
      if (cases < 1 || cases > kMaxTestCases) throw EOptionError("--cases must be from 1 to 100");
      command.input.cases = cases;
      inputOptions.push_back(option);
    } else if (option == "--circles") {
      const auto range = parseRange<int>(value, option, parseNumber<int>);
      if (range.first < 1 || range.second > kMaxCircles || range.first > range.second) {
        throw EOptionError("--circles must be N or A-B with 1 <= A <= B <= 1000");
      }
      command.input.minCircles = range.first;
      command.input.maxCircles = range.second;
      inputOptions.push_back(option);
    } else if (option == "--radius") {
      const auto range = parseRange<double>(value, option, parseReal);
      if (!(range.first > 0 && range.first <= range.second && range.second <= kMaxRadius)) {
        throw EOptionError("--radius must be A-B with 0 < A <= B <= 2");
      }
      command.input.minRadius = range.first;
      command.input.maxRadius = range.second;
      command.input.coverage = 0;
      radiusGiven = true;
      inputOptions.push_back(option);
    } else if (option == "--coverage") {
      const double coverage = parseReal(value, option);
      if (!(coverage > 0 && coverage <= 10)) throw EOptionError("--coverage must be in (0, 10]");
      command.input.coverage = coverage;
      coverageGiven = true;
      inputOptions.push_back(option);
    } else if (option == "--seed") {
      command.input.seed = command.submission.seed = parseNumber<std::uint64_t>(value, option);
    } else if (option == "-o") {
      command.outPath = value;
    } else if (option == "--submission") {
      command.submissionFor = value;
    } else if (option == "--contestant") {
      if (value.size() != 6 || !std::all_of(value.begin(), value.end(), ::isdigit)) {
        throw EOptionError("--contestant must be six digits, not \"" + value + "\"");
      }
      command.submission.contestant = value;
      submissionOptions.push_back(option);
    } else if (option == "--place") {
      if (value != "random" && value != "greedy") {
        throw EOptionError("--place must be random or greedy, not \"" + value + "\"");
      }
      command.submission.placement = value == "random" ? TPlacement::kRandom : TPlacement::kGreedy;
      submissionOptions.push_back(option);
    } else {
      throw EOptionError("unknown option: " + option);
    }
  }
  if (radiusGiven && coverageGiven) throw EOptionError("give --radius or --coverage, not both");
  if (command.submissionFor.empty() && !submissionOptions.empty()) {
    throw EOptionError(submissionOptions[0] + " needs --submission INPUT");
  }
  if (!command.submissionFor.empty() && !inputOptions.empty()) {
    throw EOptionError(inputOptions[0] + " shapes an input file, not a submission");
  }
  return command;
}

}  // namespace

int runGeneratorCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  TCommand command;
  try {
    command = parseCommand(args);
  } catch (const EOptionError& error) {
    std::fprintf(err, "Tql25Mirvasta-gen: %s\n%s", error.what(), kUsage);
    return 2;
  }
  if (command.help) {
    std::fputs(kUsage, out);
    return 0;
  }

  std::string text;
  if (command.submissionFor.empty()) {
    text = generateInput(command.input);
  } else {
    std::vector<TTestCase> testCases;
    try {
      readInput(command.submissionFor.c_str(), testCases);
    } catch (const EAssertion& failure) {
      std::fprintf(err, "%s\n", errorLine(failure).c_str());
      return 1;
    }
    text = generateSubmission(testCases, command.submission);
  }

  std::FILE* file = command.outPath.empty() ? out : std::fopen(command.outPath.c_str(), "w");
  const bool written =
      file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = file != nullptr && (file == out ? std::fflush(file) : std::fclose(file)) == 0;
  if (!written || !closed) {
    std::fprintf(err, "Tql25Mirvasta-gen: cannot write '%s'\n",
                 command.outPath.empty() ? "standard output" : command.outPath.c_str());
    return 2;
  }
  return 0;
}
