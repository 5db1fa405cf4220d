#include "view/Viewer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "scoring/Geometry.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace {

const std::string kInput = "Mirvasta\n2\n\n1\n3\n0.2\n0.2\n0.1\n\n2\n2\n0.5\n0.25\n";
// Case 1: two circles that overlap and one apart; case 2: a disc inside a disc.
const std::string kSubmission =
    "123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n\n2\n0.5 0.5\n0.6 0.45\n"
    "1\n0.1 0.1\n0.90000000000000002 0.1\n1e-3 0.9\n";

struct TViewed {
  int rc;
  std::string page;
  std::string err;
  bool written;
};

TViewed view(const std::string& input, const std::string& submission,
             std::vector<std::string> options = {}) {
  TTempFile inputFile(input), submissionFile(submission);
  const std::string pagePath = inputFile.path() + ".html";
  std::vector<std::string> args = {inputFile.path(), submissionFile.path(), pagePath};
  args.insert(args.end(), options.begin(), options.end());
  const TRunResult result = runMain(runViewerCommandLine, args);
  const bool written = std::filesystem::exists(pagePath);
  return {result.rc, written ? readFile(pagePath) : "", result.err, written};
}

std::vector<std::smatch> matches(const std::string& text, const std::regex& pattern) {
  return {std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()};
}

TEST(Viewer, ShowsEachCostExactlyAsTheReportPrintsIt) {
  const TViewed viewed = view(kInput, kSubmission);
  ASSERT_EQ(0, viewed.rc) << viewed.err;
  std::vector<std::string> costs;
  for (const auto& m : matches(viewed.page, std::regex("<span class=\"cost\">([^<]*)</span>"))) {
    costs.push_back(m[1]);
  }
  std::istringstream report(reportFor(kInput, kSubmission));
  std::string line;
  std::getline(report, line);
  ASSERT_EQ("OK", line);
  std::getline(report, line);
  ASSERT_EQ(std::to_string(costs.size()), line);
  for (const std::string& cost : costs) {
    std::getline(report, line);
    EXPECT_EQ(line.substr(line.find(' ') + 1), cost);
  }
}

TEST(Viewer, PutsEachCircleAtItsCentreLineWithItsRadius) {
  const TViewed viewed = view(kInput, kSubmission);
  const std::vector<std::vector<double>> expected = {
      {0.3, 0.5, 0.2}, {0.6, 0.5, 0.2},   {0.8, 0.15, 0.1},  // block 1
      {0.5, 0.5, 0.5}, {0.6, 0.45, 0.25},                    // block 2
      {0.1, 0.1, 0.2}, {0.9, 0.1, 0.2},   {1e-3, 0.9, 0.1},  // block 3
  };
  const auto circles =
      matches(viewed.page,
              std::regex("<circle data-i=\"\\d+\" cx=\"([^\"]+)\" cy=\"([^\"]+)\" r=\"([^\"]+)\""));
  ASSERT_EQ(expected.size(), circles.size());
  for (std::size_t i = 0; i < circles.size(); ++i) {
    SCOPED_TRACE(circles[i].str());
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_EQ(expected[i][axis], std::strtod(circles[i][axis + 1].str().c_str(), nullptr));
    }
  }
}

TEST(Viewer, ShadesOneRegionPerOverlappingPair) {
  const TViewed viewed = view(kInput, kSubmission);
  std::vector<std::size_t> lenses;
  for (const auto& block : matches(viewed.page, std::regex("<template[^>]*>[^]*?</template>"))) {
    lenses.push_back(matches(block.str(), std::regex("class=\"lens\"")).size());
  }
  // Block 1: circles 1 and 2 overlap; block 2: the disc inside the disc; block 3: none.
  EXPECT_EQ((std::vector<std::size_t>{1, 1, 0}), lenses);
  EXPECT_NE(std::string::npos,
            viewed.page.find("<circle class=\"lens\" cx=\"0.6\" cy=\"0.45\" r=\"0.25\"/>"));
}

TEST(Viewer, NeedsNothingFromOutside) {
  const TViewed viewed = view(kInput, kSubmission);
  for (const char* outside : {"http:", "https:", "src=", "href=", "@import", "url("}) {
    EXPECT_EQ(std::string::npos, viewed.page.find(outside)) << outside;
  }
}

TEST(Viewer, RefusesInvalidFilesWithTheEvaluatorsMessage) {
  const struct {
    std::string input, submission, err;
  } cases[] = {
      {kInput, "123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5 x\n",
       "Napaka [Tql25Mirvasta.cpp:203]: v 5. vrstici je za koordinatama se nekaj\n"},
      {kInput, "123456\nMirvasta\n3\n",
       "Napaka [Tql25Mirvasta.cpp:259]: v 3. vrstici bi morala biti stevilka testnega primera od 1 "
       "do 2, ne pa 3\n"},
      {"Mirvasta\n0\n", kSubmission,
       "Napaka [Tql25Mirvasta.cpp:122]: v drugi vrstici bi moralo biti stevilo testnih primerov, "
       "ne pa \"0\"\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    const TViewed viewed = view(c.input, c.submission);
    EXPECT_EQ(1, viewed.rc);
    EXPECT_EQ(c.err, viewed.err);
    EXPECT_FALSE(viewed.written);
  }
}

// A circle's share of the cost is half of each of its lens areas over the
// cost; the tooltips show it, and the colour runs with it.
TEST(Viewer, ColoursAndNamesEachCirclesShareOfTheCost) {
  // Circles 1-2 and 2-3 overlap, by different areas; circle 4 stands apart.
  const std::string input = "Mirvasta\n1\n\n1\n4\n0.2\n0.2\n0.2\n0.05\n";
  const std::string submission = "123456\nMirvasta\n1\n0.2 0.5\n0.5 0.5\n0.75 0.5\n0.9 0.9\n";
  const double first = lensArea(0.2, 0.2, 0.3), second = lensArea(0.2, 0.2, 0.25);
  const double cost = first + second;
  const double shares[] = {first / 2 / cost, 0.5, second / 2 / cost, 0};
  const TViewed viewed = view(input, submission);
  ASSERT_EQ(0, viewed.rc) << viewed.err;
  const auto circles = matches(viewed.page, std::regex("<circle data-i=\"(\\d)\"[^>]* fill=\"hsl\\("
                                                       "(\\d+),75%,(\\d+)%\\)\"><title>krog \\d: "
                                                       "[^<]*, delez cene ([0-9.]+) %</title>"));
  ASSERT_EQ(4u, circles.size());
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(circles[i].str());
    const double t = shares[i] / 0.5;  // relative to the largest share, circle 2's
    EXPECT_NEAR(100 * shares[i], std::stod(circles[i][4]), 0.006);
    EXPECT_EQ(std::lround(210 - 180 * t), std::stol(circles[i][2]));
    EXPECT_EQ(std::lround(82 - 30 * t), std::stol(circles[i][3]));
  }
  EXPECT_NE(std::string::npos, viewed.page.find("<span>50.00 %</span>"));  // the legend's top
}

// The view holds every disc, however far it reaches beyond the square.
TEST(Viewer, ShowsDiscsBeyondTheSquare) {
  const std::string input = "Mirvasta\n1\n\n1\n2\n2\n0.1\n";
  const std::string submission = "123456\nMirvasta\n1\n1 1\n0.5 0.5\n";
  const TViewed viewed = view(input, submission);
  ASSERT_EQ(0, viewed.rc) << viewed.err;
  // Discs from -1 to 3 on both axes, with a margin of 0.05 of 4 each side;
  // the flip puts y from -3.2 to 1.2.
  EXPECT_NE(std::string::npos, viewed.page.find("<svg viewBox=\"-1.2 -3.2 4.4 4.4\""));
  EXPECT_NE(std::string::npos, viewed.page.find("<rect class=\"outline\""));
}

TEST(Viewer, TableRowsNameTheirCircles) {
  const TViewed viewed = view(kInput, kSubmission);
  EXPECT_NE(std::string::npos,
            viewed.page.find("<tr data-a=\"1\" data-b=\"2\"><td>1.</td><td>1</td><td>2</td>"));
}

// The table lists the ten largest overlaps, however many there are.
TEST(Viewer, ListsTheTenLargestPairs) {
  const TViewed viewed =
      view("Mirvasta\n1\n\n1\n6\n0.1\n0.1\n0.1\n0.1\n0.1\n0.1\n",
           "123456\nMirvasta\n1\n0.5 0.5\n0.51 0.5\n0.52 0.5\n0.53 0.5\n0.54 0.5\n0.55 0.5\n");
  ASSERT_EQ(0, viewed.rc) << viewed.err;
  EXPECT_EQ(15u, matches(viewed.page, std::regex("class=\"lens\"")).size());
  EXPECT_EQ(10u, matches(viewed.page, std::regex("<tr data-a=")).size());
}

TEST(Viewer, ShowsOnlyTheChosenBlocks) {
  const TViewed second = view(kInput, kSubmission, {"--blocks", "2"});
  ASSERT_EQ(0, second.rc) << second.err;
  EXPECT_EQ(1u, matches(second.page, std::regex("<template ")).size());
  EXPECT_NE(std::string::npos, second.page.find("<h2>Testni primer 2</h2>"));
  EXPECT_EQ(
      3u,
      matches(view(kInput, kSubmission, {"--blocks=1,2-3"}).page, std::regex("<template ")).size());
  const TViewed beyond = view(kInput, kSubmission, {"--blocks", "2-4"});
  EXPECT_EQ(2, beyond.rc);
  EXPECT_EQ(0u, beyond.err.find("Tql25Mirvasta-view: --blocks names block 4, but the submission "
                                "has 3\nUsage: "));
  EXPECT_FALSE(beyond.written);
  for (const char* bad : {"0", "3-2", "x", "1,,2"}) {
    EXPECT_EQ(2, view(kInput, kSubmission, {"--blocks", bad}).rc) << bad;
  }
}

TEST(Viewer, FollowsTheToolsCommandLine) {
  const TRunResult wrong = runMain(runViewerCommandLine, {"a", "b"});
  EXPECT_EQ(2, wrong.rc);
  EXPECT_EQ(0u, wrong.err.find("Tql25Mirvasta-view: give INPUT, SUBMISSION and OUT.html\nUsage: "));
  EXPECT_EQ("", wrong.out);
  const TRunResult help = runMain(runViewerCommandLine, {"--help"});
  EXPECT_EQ(0, help.rc);
  EXPECT_EQ(0u, help.out.find("Usage: Tql25Mirvasta-view"));
}

// The page never takes the place of either file it shows.
TEST(Viewer, NeverWritesOverItsInputs) {
  TTempFile input(kInput), submission(kSubmission);
  for (const std::string& page : {input.path(), submission.path()}) {
    const TRunResult result =
        runMain(runViewerCommandLine, {input.path(), submission.path(), page});
    EXPECT_EQ(2, result.rc);
    EXPECT_NE(std::string::npos, result.err.find("nothing was written"));
  }
  EXPECT_EQ(kInput, input.read());
  EXPECT_EQ(kSubmission, submission.read());
}

}  // namespace
