#include "solve/Solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "evaluator/Report.h"
#include "grading/SubmissionText.h"
#include "packing/Packing.h"

namespace {

constexpr const char* kSolverUsage =
    "Usage: Tql25Mirvasta-solve INPUT [-o SUBMISSION] [OPTIONS]\n"
    "Writes a valid submission that answers every case of INPUT once, in order, with\n"
    "the least costly placement it finds: to SUBMISSION, or to standard output.\n"
    "  --seconds S          time for each case (default 10, or none with --steps); a\n"
    "                       case ends early at cost 0\n"
    "  --steps K            work for each case, in evaluations of the overlap energy;\n"
    "                       with a seed, the same bytes on every run (default: no limit)\n"
    "  --seed N             the search's seed (default 1)\n"
    "  --contestant NNNNNN  the contestant's six digits (default 000000)\n"
    "  --jobs J             cases solved at once (default: the number of cores); the\n"
    "                       submission is the same whatever J is\n"
    "Progress goes to standard error. Ctrl-C (or SIGTERM) stops the run: the cases\n"
    "done and the best so far of those running are written, the others left out; a\n"
    "second Ctrl-C ends it at once, writing nothing. Options take their value as\n"
    "--name value or --name=value. --help prints this, --version the version.\n";

// How often a long run says how far it has come.
constexpr auto kProgressEvery = std::chrono::seconds(5);

}  // namespace

TSolveCommand parseSolveCommand(const std::vector<std::string>& args) {
  const TArguments split =
      splitArguments(args, {"-o", "--seconds", "--steps", "--seed", "--contestant", "--jobs"}, {});
  if (split.positional.size() != 1) throw EUsageError("give one INPUT file");
  TSolveCommand command;
  command.inputPath = split.positional[0];
  command.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  bool secondsGiven = false;
  for (const auto& [option, value] : split.options) {
    if (option == "-o") {
      command.outPath = value;
    } else if (option == "--seconds") {
      command.limits.seconds = finiteOption(value, option);
      if (!(command.limits.seconds > 0)) throw EUsageError("--seconds must be above 0");
      secondsGiven = true;
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
  // A step limit alone is a run that gives the same bytes at any load.
  if (command.limits.steps >= 0 && !secondsGiven) command.limits.seconds = -1;
  return command;
}

namespace {

// What the workers have done and are doing, for the progress lines.
class TProgress {
 public:
  TProgress(std::FILE* err, const std::vector<TTestCase>& testCases, int workers)
      : err_(err), testCases_(testCases), statuses_(testCases.size()), workers_(workers) {}

  TSearchStatus& started(int c) {
    std::lock_guard<std::mutex> lock(mutex_);
    running_.push_back(c);
    return statuses_[c];
  }

  void finished(int c, const TSearchResult& result, double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    running_.erase(std::find(running_.begin(), running_.end(), c));
    ++done_;
    std::fprintf(err_, "case %d of %zu: %d circles, cost %s, %ld steps, %.2f s%s\n",
                 testCases_[c].number, testCases_.size(), testCases_[c].nCircles,
                 costInReport(result.cena).c_str(), result.steps, seconds,
                 result.stopped ? ", stopped: its best so far" : "");
    std::fflush(err_);
  }

  // A worker that failed: the others stop after their case.
  void failed(std::exception_ptr failure) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failure_) failure_ = failure;
  }
  bool stopping() {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_ != nullptr;
  }
  void workerEnded() {
    std::lock_guard<std::mutex> lock(mutex_);
    --workers_;
    changed_.notify_all();
  }
  // Rethrows a worker's failure.
  void rethrow() {
    if (failure_) std::rethrow_exception(failure_);
  }

  // Says every few seconds how many cases are done and how far the running
  // ones have come, until every worker has ended.
  void reportUntilDone() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!changed_.wait_for(lock, kProgressEvery, [&] { return workers_ == 0; })) {
      const double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::fprintf(err_, "solving: %d of %zu cases done, %.0f s", done_, testCases_.size(),
                   elapsed);
      for (int c : running_) {
        const double cena = statuses_[c].cena;
        std::fprintf(err_, "; case %d: best cost %s, %ld steps", testCases_[c].number,
                     cena < 0 ? "-" : costInReport(cena).c_str(), statuses_[c].steps.load());
      }
      std::fprintf(err_, "\n");
      std::fflush(err_);
    }
  }

 private:
  std::FILE* err_;
  const std::vector<TTestCase>& testCases_;
  std::vector<TSearchStatus> statuses_;
  std::vector<int> running_;
  int done_ = 0;
  int workers_;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
};

int solve(const TSolveCommand& command, std::FILE* out, std::FILE* err) {
  TOutput output(command.outPath, out, {{"input", command.inputPath}});
  const std::vector<TTestCase> testCases = loadInput(command.inputPath);
  // Ctrl-C or SIGTERM ends every search with its best so far, and what the
  // run has is written.
  TSearchLimits limits = command.limits;
  limits.stop = &stopOnSignal();

  // Each worker takes the next case; each case's result depends on the case
  // alone, so the order in which they finish does not matter.
  const int cases = static_cast<int>(testCases.size());
  std::vector<TSearchResult> results(cases);
  std::vector<char> searched(cases, 0);
  std::atomic<int> next{0};
  const int workers = std::min(command.jobs, cases);
  TProgress progress(err, testCases, workers);
  auto work = [&] {
    try {
      for (int c; !progress.stopping() && !*limits.stop && (c = next++) < cases;) {
        const auto start = std::chrono::steady_clock::now();
        TSearchStatus& status = progress.started(c);
        results[c] = searchPlacement(testCases[c].radii,
                                     caseSeed(command.seed, testCases[c].number), limits, &status);
        searched[c] = 1;
        progress.finished(
            c, results[c],
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      }
    } catch (...) {
      progress.failed(std::current_exception());
    }
    progress.workerEnded();
  };
  // A worker's failure, or one to start a worker, is the run's, once every
  // worker has ended.
  std::vector<std::thread> threads;
  try {
    for (int j = 0; j < workers; ++j) threads.emplace_back(work);
  } catch (...) {
    progress.failed(std::current_exception());
    for (std::size_t j = threads.size(); j < static_cast<std::size_t>(workers); ++j) {
      progress.workerEnded();
    }
  }
  progress.reportUntilDone();
  for (std::thread& thread : threads) thread.join();
  progress.rethrow();

  std::vector<TTestCase> answered;
  std::vector<std::vector<Tocka>> placements;
  int stopped = 0;
  for (int c = 0; c < cases; ++c) {
    if (!searched[c]) continue;
    answered.push_back(testCases[c]);
    placements.push_back(results[c].tocke);
    stopped += results[c].stopped ? 1 : 0;
  }
  output.write(submissionText(command.contestant, answered, placements));
  if (stopped == 0 && static_cast<int>(answered.size()) == cases) return kToolExitOk;
  std::fprintf(err,
               "Tql25Mirvasta-solve: stopped by a signal; wrote %zu of %d cases, %d of them as "
               "their best so far\n",
               answered.size(), cases, stopped);
  return kToolExitPartial;
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
  const TToolText tool = {
      "Tql25Mirvasta-solve",
      kSolverUsage,
      {{kToolExitPartial, "stopped: the cases done and the best so far of those running written"}}};
  return runTool(tool, args, out, err, [&] { return solve(parseSolveCommand(args), out, err); });
}
