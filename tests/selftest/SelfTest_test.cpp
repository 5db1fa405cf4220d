#include "selftest/SelfTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

namespace {

// Collects what a diagnostic prints.
class TCapture {
 public:
  TCapture() : file_(std::tmpfile()) {}
  ~TCapture() { std::fclose(file_); }
  std::FILE* file() { return file_; }
  std::vector<std::string> lines() {
    std::rewind(file_);
    std::vector<std::string> lines;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file_)) lines.push_back(buffer);
    return lines;
  }

 private:
  std::FILE* file_;
};

// A grid of 2000 points per radius misses the exact area by a few 1e-4 of r*r;
// a wrong area formula misses it by far more than the bound.
constexpr double kGridBound = 2e-3;

TEST(SelfTest, SegmentDriverStaysCloseToTheGridCount) {
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

TEST(SelfTest, LensDriverStaysCloseToTheGridCount) {
  TCapture out;
  const double maxRazlika = runLensDriver(40, out.file());
  EXPECT_GT(maxRazlika, 0.0);
  EXPECT_LT(maxRazlika, kGridBound);
  const auto lines = out.lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ("Presek(r = 38, R = 654, d = 142):     3.142     3.142, razlika 8.335e-05\n", lines[0]);
}

TEST(SelfTest, ChecksPrintOnlyWhenTheLargestDifferenceGrows) {
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

TEST(SelfTest, PlacementSearchPrintsTheFixedPlacementOnce) {
  TCapture out;
  // Lens areas of the fixed placement, summed independently: 0.905041.
  EXPECT_NEAR(0.905041, runPlacementSearch(3, out.file()), 1e-6);
  EXPECT_EQ(std::vector<std::string>{"  0.905041    (30, 50)  (30, 70)  (70, 70)  (70, 30)\n"},
            out.lines());
}

TEST(SelfTest, CommandLineNeedsAValidDriver) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"segments"},
      {"lens", "--passes"},
      {"lens", "--passes", "0"},
      {"lens", "--passes", "2x"},
      {"search", "3"},
      {"search", "--passes", "1", "x"},
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(testing::PrintToString(args));
    TCapture out, err;
    EXPECT_EQ(1, runSelfTestCommandLine(args, out.file(), err.file()));
    EXPECT_TRUE(out.lines().empty());
    EXPECT_EQ("Usage: Tql25Mirvasta-selftest DRIVER [--passes N]\n", err.lines().at(0));
  }
  TCapture out, err;
  EXPECT_EQ(0, runSelfTestCommandLine({"search", "--passes", "1"}, out.file(), err.file()));
  EXPECT_EQ(1u, out.lines().size());
}

}  // namespace
