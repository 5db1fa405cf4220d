#include "solve/Solver.h"

#include <gtest/gtest.h>

#include <filesystem>

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
  EXPECT_EQ(
      "Napaka [Tql25Mirvasta.cpp:106]: polmer bi moral biti vecji od 0 in ne vecji od 2.000000\n",
      refused.err);
}

}  // namespace
