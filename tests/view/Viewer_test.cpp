#include "view/Viewer.h"

#include <gtest/gtest.h>

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

TViewed view(const std::string& input, const std::string& submission) {
  TTempFile inputFile(input), submissionFile(submission);
  const std::string pagePath = inputFile.path() + ".html";
  std::FILE* err = std::tmpfile();
  const int rc = runViewerCommandLine({inputFile.path(), submissionFile.path(), pagePath}, err);
  const bool written = std::filesystem::exists(pagePath);
  return {rc, written ? readFile(pagePath) : "", readAndClose(err), written};
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

TEST(Viewer, NeedsThreePaths) {
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(2, runViewerCommandLine({"a", "b"}, err));
  std::fclose(err);
}

}  // namespace
