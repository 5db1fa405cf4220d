#include "solve/Solver.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <csignal>
#include <filesystem>
#include <regex>

#include "cli/Interrupt.h"
#include "support/Process.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace {

// Three cases: equal circles with little room, mixed sizes, one circle.
const std::string kInput =
    "Mirvasta\n3\n\n1\n9\n0.2499\n0.2499\n0.2499\n0.2499\n0.2499\n0.2499\n0.2499\n0.2499\n0.2499\n"
    "\n2\n5\n0.3\n0.1\n0.1\n0.05\n0.2\n\n3\n1\n1.5\n";

struct TSolved {
  int rc;
  std::string submission;
  std::string err;
};

TSolved solve(const std::string& input, std::vector<std::string> options) {
  TTempFile inputFile(input), outFile;
  std::vector<std::string> args = {inputFile.path(), "-o", outFile.path()};
  args.insert(args.end(), options.begin(), options.end());
  const TRunResult result = runMain(runSolverCommandLine, args);
  return {result.rc, outFile.read(), result.err};
}

TEST(Solver, WritesASubmissionTheEvaluatorScoresAtZero) {
  const TSolved solved = solve(kInput, {"--contestant", "012345", "--steps", "500000"});
  ASSERT_EQ(0, solved.rc) << solved.err;
  EXPECT_EQ(0u, solved.submission.find("012345\nMirvasta\n1\n"));
  EXPECT_EQ(
      "OK\n3\n1 0.00000000000000000000e+00\n2 0.00000000000000000000e+00\n"
      "3 0.00000000000000000000e+00\n",
      reportFor(kInput, solved.submission));
  for (const char* line : {"case 1 of 3: 9 circles, cost 0.00000000000000000000e+00, ",
                           "case 2 of 3: 5 circles, ", "case 3 of 3: 1 circles, "}) {
    EXPECT_NE(std::string::npos, solved.err.find(line)) << solved.err;
  }
}

// With a step limit, a seed gives the same bytes however many cases run at
// once; another seed gives others.
TEST(Solver, TheSameSeedAndStepsGiveTheSameBytesWithAnyJobs) {
  std::string input = "Mirvasta\n4\n";
  for (int k = 1; k <= 4; ++k) {
    input += "\n" + std::to_string(k) + "\n60\n";
    for (int i = 0; i < 60; ++i) input += (i % 3 ? "0.06\n" : "0.09\n");
  }
  const TSolved one = solve(input, {"--steps", "4000", "--seed", "5", "--jobs", "1"});
  const TSolved three = solve(input, {"--steps=4000", "--seed=5", "--jobs=3"});
  const TSolved other = solve(input, {"--steps", "4000", "--seed", "6", "--jobs", "2"});
  ASSERT_EQ(0, one.rc) << one.err;
  EXPECT_EQ(one.submission, three.submission);
  EXPECT_NE(one.submission, other.submission);
}

// A step limit alone binds alone: a time limit would end a run at a point
// that depends on the machine's load.
TEST(Solver, AStepLimitAloneSetsNoTimeLimit) {
  const struct {
    std::vector<std::string> args;
    long steps;
    double seconds;
  } cases[] = {
      {{"in.txt"}, -1, 10},
      {{"in.txt", "--steps", "7"}, 7, -1},
      {{"in.txt", "--steps", "7", "--seconds", "3"}, 7, 3},
      {{"in.txt", "--seconds=2.5"}, -1, 2.5},
  };
  for (const auto& c : cases) {
    const TSolveCommand command = parseSolveCommand(c.args);
    EXPECT_EQ(c.steps, command.limits.steps);
    EXPECT_EQ(c.seconds, command.limits.seconds);
  }
}

TEST(Solver, NeverWritesOverItsInput) {
  TTempFile input(kInput);
  const std::string link = input.path() + ".link";
  std::filesystem::create_symlink(input.path(), link);
  for (const std::string& out : {input.path(), link}) {
    const TRunResult result = runMain(runSolverCommandLine, {input.path(), "-o", out});
    EXPECT_EQ(2, result.rc);
    EXPECT_EQ("Tql25Mirvasta-solve: the output '" + out + "' is the input '" + input.path() +
                  "'; nothing was written\n",
              result.err);
  }
  EXPECT_EQ(kInput, input.read());
}

// An input whose case 1 reaches cost 0 at once, and whose other cases, of
// discs far too large, never can: equal ones, then of two sizes.
std::string crowdedInput(int cases) {
  std::string input = "Mirvasta\n" + std::to_string(cases) + "\n\n1\n1\n0.5\n";
  for (int k = 2; k <= cases; ++k) {
    input += "\n" + std::to_string(k) + "\n30\n";
    for (int i = 0; i < 30; ++i) input += k % 2 == 0 || i % 2 ? "0.3\n" : "0.2\n";
  }
  return input;
}

// Stopped by Ctrl-C once its first case is done, it writes that case and
// the running ones as their best so far; a file that was there stays as it
// was until then.
TEST(Solver, KeepsWhatItHasWhenStopped) {
  const std::string input = crowdedInput(3);
  for (const std::string old : {"", "the best so far\n"}) {
    SCOPED_TRACE(old);
    TTempFile inputFile(input), out(old);
    if (old.empty()) std::filesystem::remove(out.path());
    TProcess solver({programPath("Tql25Mirvasta-solve"), inputFile.path(), "-o", out.path(),
                     "--jobs", "3", "--seconds", "100"});
    // Stopped once case 1 is done and both others are running, whatever the
    // machine's load: the progress line names the running cases.
    ASSERT_TRUE(solver.awaitErr(std::regex("solving: 1 of 3 cases done.*; case [23]: best cost "
                                           ".*; case [23]: best cost "),
                                60))
        << solver.err();
    EXPECT_EQ(old, out.read());
    EXPECT_EQ(!old.empty(), std::filesystem::exists(out.path()));
    solver.signal(SIGINT);
    EXPECT_EQ(5, solver.wait());
    EXPECT_EQ(0u, reportFor(input, out.read()).find("OK\n3\n1 0.00000000000000000000e+00\n2 "));
    EXPECT_NE(std::string::npos, solver.err().find("Tql25Mirvasta-solve: stopped by a signal; "
                                                   "wrote 3 of 3 cases, 2 of them as their best "
                                                   "so far\n"))
        << solver.err();
  }
}

// A stop before a case begins leaves the cases out, and says so: the run is
// written in part, never taken for a whole one.
TEST(SolverDeathTest, AStopBetweenCasesIsAPartialRun) {
  TTempFile input(crowdedInput(3)), out;
  EXPECT_EXIT(
      {
        stopOnSignal();
        std::raise(SIGINT);
        std::exit(
            runSolverCommandLine({input.path(), "-o", out.path(), "--jobs", "1"}, stdout, stderr));
      },
      testing::ExitedWithCode(5), "stopped by a signal; wrote 0 of 3 cases, 0 of them as");
  EXPECT_EQ("000000\nMirvasta\n", out.read());
}

// A second Ctrl-C ends a stopping run at once, as the first would have
// ended any other program.
TEST(SolverDeathTest, ASecondCtrlCEndsTheRunAtOnce) {
  EXPECT_EXIT(
      {
        stopOnSignal();
        std::raise(SIGINT);
        std::raise(SIGINT);
        std::exit(0);
      },
      testing::KilledBySignal(SIGINT), "");
}

// The steps reported are those spent, never more than the limit: whole
// evaluations for equal circles, patches' shares besides for unequal ones.
TEST(Solver, SpendsNoMoreStepsThanItIsGiven) {
  const TSolved solved = solve(crowdedInput(3), {"--steps", "300"});
  ASSERT_EQ(0, solved.rc) << solved.err;
  EXPECT_NE(std::string::npos, solved.err.find("case 2 of 3: 30 circles, cost ")) << solved.err;
  std::smatch steps;
  for (const char* caseNo : {"2", "3"}) {
    ASSERT_TRUE(std::regex_search(
        solved.err, steps, std::regex(std::string("case ") + caseNo + " of 3: .* (\\d+) steps")));
    EXPECT_LE(std::stoi(steps[1]), 300) << solved.err;
    EXPECT_GE(std::stoi(steps[1]), caseNo[0] == '2' ? 300 : 295) << solved.err;
  }
}

TEST(Solver, RefusesBadOptionsAndInputs) {
  const struct {
    std::vector<std::string> options;
    std::string reason;
  } bad[] = {
      {{"--seconds", "0"}, "--seconds must be above 0"},
      {{"--steps", "-3"}, "--steps must be 1 or more"},
      {{"--jobs", "0"}, "--jobs must be 1 or more"},
      {{"--contestant", "12x456"}, "--contestant must be six digits, not \"12x456\""},
      {{"--seed", "x"}, "--seed needs a number, not \"x\""},
      {{"extra"}, "give one INPUT file"},
      {{"--fast"}, "unknown option: --fast"},
  };
  for (const auto& c : bad) {
    SCOPED_TRACE(c.reason);
    const TSolved solved = solve(kInput, c.options);
    EXPECT_EQ(2, solved.rc);
    EXPECT_EQ(0u, solved.err.find("Tql25Mirvasta-solve: " + c.reason + "\nUsage: ")) << solved.err;
  }
  const TSolved refused = solve("Mirvasta\n1\n\n1\n1\n3\n", {});
  EXPECT_EQ(1, refused.rc);
  EXPECT_EQ(0u, refused.err.find("Tql25Mirvasta-solve: input '")) << refused.err;
  EXPECT_NE(std::string::npos, refused.err.find("' refused: Napaka [Tql25Mirvasta.cpp:106]: "));
}

}  // namespace
