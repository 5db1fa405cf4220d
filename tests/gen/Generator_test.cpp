#include "gen/Generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "evaluator/Evaluation.h"
#include "scoring/Geometry.h"
#include "support/Run.h"
#include "support/TempFile.h"
#include "support/TextStream.h"

namespace {

struct TGenerated {
  int rc;
  std::string text;
  std::string err;
};

TGenerated generate(std::vector<std::string> args) {
  TTempFile out;
  args.insert(args.begin(), {"-o", out.path()});
  const TRunResult result = runMain(runGeneratorCommandLine, args);
  return {result.rc, out.read(), result.err};
}

std::vector<TTestCase> load(const std::string& input) {
  TMemoryText text(input);
  std::vector<TTestCase> testCases;
  readInput(text.is, testCases);
  return testCases;
}

double totalCost(const std::string& report) {
  double total = 0;
  std::size_t at = report.find('\n', report.find('\n') + 1) + 1;
  for (std::size_t end; (end = report.find('\n', at)) != std::string::npos; at = end + 1) {
    total += std::stod(report.substr(report.find(' ', at) + 1, end));
  }
  return total;
}

// Every file the generator writes passes the evaluator's checks.
TEST(Generator, WritesFilesTheEvaluatorAccepts) {
  const std::vector<std::vector<std::string>> optionSets = {
      {},
      {"--cases", "1", "--circles", "1"},
      {"--cases", "100", "--circles", "1-30", "--radius", "1e-9-1e-9"},
      {"--cases", "3", "--circles", "1000", "--coverage", "1.2"},
      {"--cases", "4", "--circles", "2-50", "--radius", "0.001-2"},
      {"--cases", "2", "--circles", "40", "--coverage", "10"},
      {"--cases", "5", "--circles", "10-20", "--radius", "2-2"},
  };
  for (const auto& options : optionSets) {
    for (const char* seed : {"1", "2", "18446744073709551615"}) {
      std::vector<std::string> args = options;
      args.insert(args.end(), {"--seed", seed});
      SCOPED_TRACE(testing::PrintToString(args));
      const TGenerated input = generate(args);
      ASSERT_EQ(0, input.rc) << input.err;
      const std::vector<TTestCase> testCases = load(input.text);
      // The optimiser's fixed work would make the large sets slow: the
      // small ones, with one seed, show that its placements pass as well.
      std::vector<const char*> places = {"random", "greedy"};
      int circles = 0;
      for (const TTestCase& t : testCases) circles += t.nCircles;
      if (circles <= 100 && std::string(seed) == "1") places.push_back("solve");
      for (const char* place : places) {
        TTempFile inputFile(input.text);
        const TGenerated submission = generate({"--submission", inputFile.path(), "--place", place,
                                                "--seed", seed, "--contestant", "012345"});
        ASSERT_EQ(0, submission.rc) << submission.err;
        const std::string report = reportFor(input.text, submission.text);
        ASSERT_EQ("OK\n" + std::to_string(testCases.size()) + "\n",
                  report.substr(0, report.find('\n', 3) + 1))
            << report;
      }
    }
  }
}

TEST(Generator, TheSameSeedGivesTheSameBytes) {
  const std::vector<std::string> options = {"--cases", "5", "--circles", "3-300"};
  auto withSeed = [&](const char* seed) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {"--seed", seed});
    return generate(args).text;
  };
  EXPECT_EQ(withSeed("7"), withSeed("7"));
  EXPECT_NE(withSeed("7"), withSeed("8"));
  TTempFile input(withSeed("7"));
  EXPECT_EQ(generate({"--submission", input.path(), "--seed", "3"}).text,
            generate({"--submission", input.path(), "--seed", "3"}).text);
}

TEST(Generator, CoverageSetsTheCirclesTotalArea) {
  for (const TTestCase& t :
       load(generate({"--cases", "3", "--circles", "500", "--coverage", "0.7"}).text)) {
    double area = 0;
    for (double r : t.radii) area += PI * r * r;
    // Radii are written with 17 digits, so the sum is as good as exact.
    EXPECT_NEAR(0.7, area, 1e-12);
  }
}

TEST(Generator, GreedyPlacementOverlapsLessThanRandomCentres) {
  const std::string input =
      generate({"--cases", "3", "--circles", "200", "--coverage", "0.6"}).text;
  TTempFile inputFile(input);
  const std::string greedy = reportFor(input, generate({"--submission", inputFile.path()}).text);
  const std::string random =
      reportFor(input, generate({"--submission", inputFile.path(), "--place", "random"}).text);
  // Largest first, it overlaps about 190 times less than random centres;
  // smallest first, only 9 times less.
  EXPECT_LT(totalCost(greedy), totalCost(random) / 50);
}

TEST(Generator, RefusesBadOptionsClearly) {
  TTempFile valid("Mirvasta\n1\n\n1\n1\n0.5\n");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--cases", "0"}, "--cases must be from 1 to 100"},
      {{"--cases", "101"}, "--cases must be from 1 to 100"},
      {{"--cases", "x"}, "--cases needs a number, not \"x\""},
      {{"--circles", "0"}, "--circles must be N or A-B with 1 <= A <= B <= 1000"},
      {{"--circles", "5-2"}, "--circles must be N or A-B with 1 <= A <= B <= 1000"},
      {{"--circles", "1-1001"}, "--circles must be N or A-B with 1 <= A <= B <= 1000"},
      {{"--radius", "0-1"}, "--radius must be A-B with 0 < A <= B <= 2"},
      {{"--radius", "0.1-2.5"}, "--radius must be A-B with 0 < A <= B <= 2"},
      {{"--radius", "0.1-nan"}, "--radius needs a finite number"},
      {{"--radius", "0.1-0.2-0.3"}, "--radius needs a number, not \"0.2-0.3\""},
      {{"--coverage", "0"}, "--coverage must be from 1e-12 to 10"},
      {{"--coverage", "5e-324"}, "--coverage must be from 1e-12 to 10"},
      {{"--coverage", "10.000000000000002"}, "--coverage must be from 1e-12 to 10"},
      {{"--coverage", "inf"}, "--coverage needs a finite number"},
      {{"--radius", "0.1-0.2", "--coverage", "1"}, "give --radius or --coverage, not both"},
      {{"--seed", "-1"}, "--seed needs a number, not \"-1\""},
      {{"--place", "random"}, "--place needs --submission INPUT"},
      {{"--submission", valid.path(), "--cases", "2"},
       "--cases shapes an input file, not a submission"},
      {{"--submission", valid.path(), "--contestant", "12345"},
       "--contestant must be six digits, not \"12345\""},
      {{"--submission", valid.path(), "--place", "best"},
       "--place must be random, greedy or solve, not \"best\""},
      {{"--bogus", "1"}, "unknown option: --bogus"},
      {{"--cases"}, "--cases needs a value"},
      {{"--cases=x"}, "--cases needs a number, not \"x\""},
      {{"stray"}, "unexpected argument: stray"},
      {{"--submission", valid.path(), "--contestant", "12345\xc9"},
       "--contestant must be six digits, not \"12345\\xc9\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const TGenerated result = generate(c.args);
    EXPECT_EQ(2, result.rc);
    EXPECT_EQ(0u, result.err.find("Tql25Mirvasta-gen: " + c.message + "\nUsage: ")) << result.err;
  }
}

// The smallest coverage still gives radii the evaluator accepts.
TEST(Generator, TheLeastCoverageGivesValidRadii) {
  for (const TTestCase& t : load(generate({"--circles", "1-1000", "--coverage", "1e-12"}).text)) {
    for (double r : t.radii) EXPECT_GT(r, 0.0);
  }
}

// Values after '=' as well as after a blank, "-" for standard output.
TEST(Generator, FollowsTheToolsCommandLine) {
  const TRunResult written = runMain(runGeneratorCommandLine, {"--cases=2", "--seed=4", "-o", "-"});
  EXPECT_EQ(0, written.rc) << written.err;
  EXPECT_EQ(generate({"--cases", "2", "--seed", "4"}).text, written.out);
}

// -o never names the input file the submission answers: not by its path,
// nor by a link to it.
TEST(Generator, NeverWritesOverItsInput) {
  const std::string original = "Mirvasta\n1\n\n1\n1\n0.5\n";
  TTempFile input(original);
  const std::string link = input.path() + ".link";
  std::filesystem::create_hard_link(input.path(), link);
  for (const std::string& out : {input.path(), link}) {
    const TRunResult result =
        runMain(runGeneratorCommandLine, {"--submission", input.path(), "-o", out});
    EXPECT_EQ(2, result.rc);
    EXPECT_EQ("Tql25Mirvasta-gen: the output '" + out + "' is the input '" + input.path() +
                  "'; nothing was written\n",
              result.err);
    EXPECT_EQ(original, input.read());
  }
}

TEST(Generator, NamesTheDefectOfAnInputItCannotAnswer) {
  TTempFile bad("Mirvasta\n1\n\n1\n1\n3\n");
  const TGenerated result = generate({"--submission", bad.path()});
  EXPECT_EQ(1, result.rc);
  EXPECT_EQ("Tql25Mirvasta-gen: input '" + bad.path() +
                "' refused: Napaka [Tql25Mirvasta.cpp:106]: polmer bi moral biti vecji od 0 in ne "
                "vecji od 2.000000\n",
            result.err);
}

}  // namespace
