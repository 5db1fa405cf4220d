#include "gen/Generator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "evaluator/Report.h"
#include "grading/SubmissionText.h"
#include "packing/Packing.h"
#include "packing/Random.h"
#include "scoring/Geometry.h"

namespace {

// Draws from a 64-bit Mersenne Twister with mappings of its own, so that a
// seed gives the same files with any standard library.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t bits() { return engine_(); }
  // Uniform in [0, 1).
  double unit() { return unitDraw(engine_); }
  double uniform(double low, double high) {
    return std::clamp(low + (high - low) * unit(), low, high);
  }
  int integer(int low, int high) {
    return low + static_cast<int>(engine_() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::mt19937_64 engine_;
};

// The optimiser's work per case for --place solve, in evaluations of its
// energy: a few seconds for 1000 circles.
constexpr long kSolveSteps = 20000;

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
    for (double r : drawRadii(random, n, options)) text += shortestDecimal(r) + "\n";
  }
  return text;
}

std::string generateSubmission(const std::vector<TTestCase>& testCases,
                               const TSubmissionOptions& options, std::FILE* progress) {
  TRandom random(options.seed);
  std::vector<std::vector<Tocka>> placements;
  for (const TTestCase& testCase : testCases) {
    if (options.placement == TPlacement::kSolve) {
      // A step limit and no time limit: the same bytes on every machine.
      const TSearchLimits limits{kSolveSteps, -1};
      const TSearchResult result = searchPlacement(testCase.radii, random.bits(), limits);
      placements.push_back(result.tocke);
      if (progress != nullptr) {
        std::fprintf(progress, "case %d of %zu: %d circles, cost %s, %ld steps\n", testCase.number,
                     testCases.size(), testCase.nCircles, costInReport(result.cena).c_str(),
                     result.steps);
        std::fflush(progress);
      }
    } else if (options.placement == TPlacement::kGreedy) {
      placements.push_back(greedyPlacement(random, testCase.radii));
    } else {
      std::vector<Tocka> tocke;
      for (int i = 0; i < testCase.nCircles; ++i) tocke.push_back({random.unit(), random.unit()});
      placements.push_back(tocke);
    }
  }
  return submissionText(options.contestant, testCases, placements);
}

namespace {

constexpr const char* kGeneratorUsage =
    "Usage: Tql25Mirvasta-gen [OPTIONS] [-o FILE]\n"
    "Writes a valid task input file for the evaluator, to FILE or, without -o or\n"
    "with -o -, to standard output:\n"
    "  --cases T            test cases, 1 to 100 (default 10)\n"
    "  --circles N | A-B    circles per case, 1 to 1000 (default 100)\n"
    "  --radius A-B         radii drawn uniformly from [A, B], 0 < A <= B <= 2\n"
    "  --coverage F         radii such that the circles' areas add up to F times the\n"
    "                       square's, 1e-12 <= F <= 10 (the default, with F = 0.8)\n"
    "  --seed S             the same seed and options give the same file (default 1)\n"
    "or, with --submission INPUT, a valid submission for that input file:\n"
    "  --contestant NNNNNN  the contestant's six digits (default 000000)\n"
    "  --place random|greedy|solve  uniform centres, a simple low-overlap placement\n"
    "                       (the default), or the optimiser's, with a fixed amount of\n"
    "                       work per case\n"
    "  --seed S\n"
    "Options take their value as --name value or --name=value. --help prints this,\n"
    "--version the version. --place solve says how each case came out on standard\n"
    "error.\n";

// The coverage's range: below the least, a radius would come out 0.
constexpr double kMinCoverage = 1e-12;
constexpr double kMaxCoverage = 10;

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
  std::string outPath = "-";
};

TCommand parseCommand(const std::vector<std::string>& args) {
  const TArguments split =
      splitArguments(args,
                     {"--cases", "--circles", "--radius", "--coverage", "--seed", "-o",
                      "--submission", "--contestant", "--place"},
                     {});
  if (!split.positional.empty()) throw EUsageError("unexpected argument: " + split.positional[0]);
  TCommand command;
  std::vector<std::string> inputOptions, submissionOptions;
  bool radiusGiven = false, coverageGiven = false;
  for (const auto& [option, value] : split.options) {
    if (option == "--cases") {
      const int cases = numberOption<int>(value, option);
      if (cases < 1 || cases > kMaxTestCases) throw EUsageError("--cases must be from 1 to 100");
      command.input.cases = cases;
      inputOptions.push_back(option);
    } else if (option == "--circles") {
      const auto range = parseRange<int>(value, option, numberOption<int>);
      if (range.first < 1 || range.second > kMaxCircles || range.first > range.second) {
        throw EUsageError("--circles must be N or A-B with 1 <= A <= B <= 1000");
      }
      command.input.minCircles = range.first;
      command.input.maxCircles = range.second;
      inputOptions.push_back(option);
    } else if (option == "--radius") {
      const auto range = parseRange<double>(value, option, finiteOption);
      if (!(range.first > 0 && range.first <= range.second && range.second <= kMaxRadius)) {
        throw EUsageError("--radius must be A-B with 0 < A <= B <= 2");
      }
      command.input.minRadius = range.first;
      command.input.maxRadius = range.second;
      command.input.coverage = 0;
      radiusGiven = true;
      inputOptions.push_back(option);
    } else if (option == "--coverage") {
      // Far below 1e-12 a circle's share of the coverage underflows, and a
      // radius would come out 0, which the evaluator refuses.
      const double coverage = finiteOption(value, option);
      if (!(coverage >= kMinCoverage && coverage <= kMaxCoverage)) {
        throw EUsageError("--coverage must be from 1e-12 to 10");
      }
      command.input.coverage = coverage;
      coverageGiven = true;
      inputOptions.push_back(option);
    } else if (option == "--seed") {
      command.input.seed = command.submission.seed = numberOption<std::uint64_t>(value, option);
    } else if (option == "-o") {
      command.outPath = value;
    } else if (option == "--submission") {
      command.submissionFor = value;
    } else if (option == "--contestant") {
      command.submission.contestant = contestantOption(value, option);
      submissionOptions.push_back(option);
    } else if (option == "--place") {
      if (value != "random" && value != "greedy" && value != "solve") {
        throw EUsageError("--place must be random, greedy or solve, not \"" + value + "\"");
      }
      command.submission.placement = value == "random"   ? TPlacement::kRandom
                                     : value == "greedy" ? TPlacement::kGreedy
                                                         : TPlacement::kSolve;
      submissionOptions.push_back(option);
    }
  }
  if (radiusGiven && coverageGiven) throw EUsageError("give --radius or --coverage, not both");
  if (command.submissionFor.empty() && !submissionOptions.empty()) {
    throw EUsageError(submissionOptions[0] + " needs --submission INPUT");
  }
  if (!command.submissionFor.empty() && !inputOptions.empty()) {
    throw EUsageError(inputOptions[0] + " shapes an input file, not a submission");
  }
  return command;
}

int generate(const TCommand& command, std::FILE* out, std::FILE* err) {
  if (command.submissionFor.empty()) {
    TOutput(command.outPath, out, {}).write(generateInput(command.input));
    return kToolExitOk;
  }
  TOutput output(command.outPath, out, {{"input", command.submissionFor}});
  const std::vector<TTestCase> testCases = loadInput(command.submissionFor);
  output.write(generateSubmission(testCases, command.submission, err));
  return kToolExitOk;
}

}  // namespace

int runGeneratorCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return runTool({"Tql25Mirvasta-gen", kGeneratorUsage}, args, out, err,
                 [&] { return generate(parseCommand(args), out, err); });
}
