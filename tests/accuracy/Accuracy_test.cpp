#include "accuracy/Accuracy.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <regex>
#include <sstream>

#include "support/Process.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace {

// A grid of 2000 points per radius misses the exact area by a few 1e-4 of r*r;
// a wrong area formula misses it by far more than the bound.
constexpr double kGridBound = 2e-3;

TEST(Accuracy, SegmentDriverStaysCloseToTheGridCount) {
  TCapture out;
  const double maxRazlika = runSegmentDriver(30, out.file());
  EXPECT_GT(maxRazlika, 0.0);
  EXPECT_LT(maxRazlika, kGridBound);
  const std::regex format(
      R"(Odsek\(x = [ -]{2,}\d+\.\d, r = [ ]{2,}\d+\.\d\): [ ]{2,}\d\.\d{3} [ ]{2,}\d\.\d{3}, )"
      R"(razlika \d\.\d{3}e[-+]\d\d\n)");
  const auto lines = out.lines();
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, format)) << line;
}

TEST(Accuracy, LensDriverStaysCloseToTheGridCount) {
  TCapture out;
  const double maxRazlika = runLensDriver(40, out.file());
  EXPECT_GT(maxRazlika, 0.0);
  EXPECT_LT(maxRazlika, kGridBound);
  const auto lines = out.lines();
  ASSERT_FALSE(lines.empty());
  const std::regex format(
      R"(Presek\(r = \d+, R = \d+, d = \d+\): [ ]{2,}\d\.\d{3} [ ]{2,}\d\.\d{3}, )"
      R"(razlika \d\.\d{3}e[-+]\d\d\n)");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, format)) << line;
#if defined(__GLIBCXX__)
  // The draws themselves: the standard leaves uniform_int_distribution's
  // algorithm to each library, and these are libstdc++'s.
  EXPECT_EQ("Presek(r = 38, R = 654, d = 142):     3.142     3.142, razlika 8.335e-05\n", lines[0]);
#endif
}

TEST(Accuracy, ChecksPrintOnlyWhenTheLargestDifferenceGrows) {
  TCapture out;
  double maxRazlika = 1.0;
  checkSegment(0.5, 1.0, maxRazlika, out.file());
  checkLens(1.0, 1.0, 1.0, maxRazlika, out.file());
  EXPECT_EQ(1.0, maxRazlika);
  maxRazlika = 0.0;
  checkSegment(0.0, 1.0, maxRazlika, out.file());
  EXPECT_GT(maxRazlika, 0.0);
  EXPECT_EQ(1u, out.lines().size());
}

TEST(Accuracy, PlacementSearchPrintsTheFixedPlacementOnce) {
  TCapture out;
  // Lens areas of the fixed placement, summed independently: 0.905041.
  EXPECT_NEAR(0.905041, runPlacementSearch(3, out.file()), 1e-6);
  EXPECT_EQ(std::vector<std::string>{"  0.905041    (30, 50)  (30, 70)  (70, 70)  (70, 30)\n"},
            out.lines());
}

TEST(Accuracy, CommandLineNeedsAValidDriver) {
  const struct {
    std::vector<std::string> args;
    std::string reason;
  } bad[] = {
      {{}, "name one driver"},
      {{"segments"}, "unknown driver: segments"},
      {{"lens", "--passes"}, "--passes needs a value"},
      {{"lens", "--passes", "0"}, "--passes must be 1 or more"},
      {{"lens", "--passes=2x"}, "--passes needs a number, not \"2x\""},
      {{"search", "3"}, "name one driver"},
      {{"search", "--passes", "1", "x"}, "name one driver"},
      {{"search", "--bogus"}, "unknown option: --bogus"},
  };
  for (const auto& c : bad) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    TCapture out, err;
    EXPECT_EQ(2, runAccuracyCommandLine(c.args, out.file(), err.file()));
    EXPECT_TRUE(out.lines().empty());
    const auto lines = err.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("Tql25Mirvasta-accuracy: " + c.reason + "\n", lines[0]);
    EXPECT_EQ("Usage: Tql25Mirvasta-accuracy DRIVER [--passes N]\n", lines[1]);
  }
  TCapture out, err;
  EXPECT_EQ(0, runAccuracyCommandLine({"search", "--passes=1"}, out.file(), err.file()));
  EXPECT_EQ(1u, out.lines().size());
  TCapture help, none;
  EXPECT_EQ(0, runAccuracyCommandLine({"--help"}, help.file(), none.file()));
  EXPECT_EQ("Usage: Tql25Mirvasta-accuracy DRIVER [--passes N]\n", help.lines().at(0));
}

// Interrupted with Ctrl-C while its output goes to a file, a driver has
// still written every line it printed.
TEST(Accuracy, LinesSurviveAnInterruption) {
  TProcess driver({programPath("Tql25Mirvasta-accuracy"), "lens"});
  // The first line comes at the first pass; give it up to 20 s.
  for (int tenths = 0; tenths < 200 && driver.out().empty(); ++tenths) usleep(100000);
  driver.signal(SIGINT);
  driver.wait();
  const std::string text = driver.out();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ('\n', text.back());
  EXPECT_EQ(0u, text.find("Presek("));
}

}  // namespace
