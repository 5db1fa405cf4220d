#include "solve/Solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "base/Assertion.h"
#include "run/Report.h"
#include "solve/Packing.h"
#include "solve/Submission.h"
#include "toolkit/CommandLine.h"

namespace {

constexpr const char* kSolverUsage =
    "Usage: Tql25Mirvasta-solve INPUT [-o SUBMISSION] [OPTIONS]\n"
    "Writes a valid submission that answers every case of INPUT once, in order, with\n"
    "the least costly placement it finds: to SUBMISSION, or to standard output.\n"
    "  --seconds S          time for each case (default 10); a case ends early at cost 0\n"
    "  --steps K            work for each case, in evaluations of the overlap energy;\n"
    "                       with a seed, the same bytes on every run (default: no limit)\n"
    "  --seed N             the search's seed (default 1)\n"
    "  --contestant NNNNNN  the contestant's six digits (default 000000)\n"
    "  --jobs J             cases solved at once (default: the number of cores); the\n"
    "                       submission is the same whatever J is\n"
    "Progress goes to standard error. Options take their value as --name value or\n"
    "--name=value. --help prints this, --version the version. Exit codes: 0 written,\n"
    "1 an input file the evaluator refuses, 2 a bad option or an output that cannot\n"
    "be written.\n";

// How often a long run says how far it has come.
constexpr auto kProgressEvery = std::chrono::seconds(5);

struct TSolveCommand {
  std::string inputPath;
  std::string outPath = "-";
  TSearchLimits limits;
  std::uint64_t seed = 1;
  std::string contestant = "000000";
  int jobs = 0;
};

TSolveCommand parseSolveCommand(const std::vector<std::string>& args) {
  const TArguments split =
      splitArguments(args, {"-o", "--seconds", "--steps", "--seed", "--contestant", "--jobs"}, {});
  if (split.positional.size() != 1) throw EUsageError("give one INPUT file");
  TSolveCommand command;
  command.inputPath = split.positional[0];
  command.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  for (const auto& [option, value] : split.options) {
    if (option == "-o") {
      command.outPath = value;
    } else if (option == "--seconds") {
      command.limits.seconds = finiteOption(value, option);
      if (!(command.limits.seconds > 0)) throw EUsageError("--seconds must be above 0");
    } else if (option == "--steps") {
      command.limits.steps = numberOption<long>(value, option);
      if (command.limits.steps < 1) throw EUsageError("--steps must be 1 or more");
    } else if (option == "--seed") {
      command.seed = numberOption<std::uint64_t>(value, option);
    } else if (option == "--contestant") {
      command.contestant = contestantOption(value, option);
    } else if (option == "--jobs") {
      command.jobs = numberOption<int>(value, option);
      if (command.jobs < 1) throw EUsageError("--jobs must be 1 or more");
    }
  }
  return command;
}

// What the workers have done, for the progress lines.
class TProgress {
 public:
  TProgress(std::FILE* err, int cases) : err_(err), cases_(cases) {}

  void finished(const TTestCase& testCase, const TSearchResult& result, double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    std::fprintf(err_, "case %d of %d: %d circles, cost %s, %.2f s\n", testCase.number, cases_,
                 testCase.nCircles, costInReport(result.cena).c_str(), seconds);
    std::fflush(err_);
    changed_.notify_all();
  }

  // Says every few seconds how many cases are done, until all are.
  void reportUntilDone() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!changed_.wait_for(lock, kProgressEvery, [this] { return done_ == cases_; })) {
      const double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::fprintf(err_, "solving: %d of %d cases done, %.0f s\n", done_, cases_, elapsed);
      std::fflush(err_);
    }
  }

 private:
  std::FILE* err_;
  int cases_;
  int done_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
};

int solve(const TSolveCommand& command, std::FILE* out, std::FILE* err) {
  refuseToOverwrite(command.outPath, {command.inputPath});
  std::vector<TTestCase> testCases;
  try {
    readInput(command.inputPath.c_str(), testCases);
  } catch (const EAssertion& failure) {
    std::fprintf(err, "%s\n", errorLine(failure).c_str());
    return kToolExitRefusedFile;
  }

  // Each worker takes the next case; each case's result depends on the case
  // alone, so the order in which they finish does not matter.
  const int cases = static_cast<int>(testCases.size());
  std::vector<std::vector<Tocka>> placements(cases);
  std::atomic<int> next{0};
  TProgress progress(err, cases);
  auto work = [&] {
    for (int c; (c = next++) < cases;) {
      const auto start = std::chrono::steady_clock::now();
      const TSearchResult result = searchPlacement(
          testCases[c].radii, caseSeed(command.seed, testCases[c].number), command.limits);
      placements[c] = result.tocke;
      progress.finished(
          testCases[c], result,
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
  };
  std::vector<std::thread> workers;
  for (int j = 0; j < std::min(command.jobs, cases); ++j) workers.emplace_back(work);
  progress.reportUntilDone();
  for (std::thread& worker : workers) worker.join();

  const std::string text = submissionText(command.contestant, testCases, placements);
  std::FILE* file = openOutput(command.outPath, out);
  std::fwrite(text.data(), 1, text.size(), file);
  closeOutput(file, command.outPath, out);
  return kToolExitOk;
}

}  // namespace

std::uint64_t caseSeed(std::uint64_t seed, int caseNo) {
  // SplitMix64's finaliser: neighbouring seeds and cases give unrelated ones.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(caseNo);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int runSolverCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return runTool("Tql25Mirvasta-solve", kSolverUsage, args, out, err,
                 [&] { return solve(parseSolveCommand(args), out, err); });
}
