#include "view/Viewer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

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
  for (const auto& m : matches(viewed.page, std::regex("\"cost\":\"([^\"]*)\""))) {
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

// The page opens offline: it fetches nothing.
TEST(Viewer, NeedsNothingFromOutside) {
  const TViewed viewed = view(kInput, kSubmission);
  for (const char* outside :
       {"http:", "https:", "src=", "href=", "@import", "url(", "fetch(", "<link"}) {
    EXPECT_EQ(std::string::npos, viewed.page.find(outside)) << outside;
  }
}

// The message names the file refused, then gives the evaluator's line.
TEST(Viewer, RefusesInvalidFilesWithTheEvaluatorsMessage) {
  const struct {
    std::string input, submission, file, err;
  } cases[] = {
      {kInput, "123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5 x\n", "submission",
       "Napaka [Tql25Mirvasta.cpp:203]: v 5. vrstici je za koordinatama se nekaj\n"},
      {kInput, "123456\nMirvasta\n3\n", "submission",
       "Napaka [Tql25Mirvasta.cpp:259]: v 3. vrstici bi morala biti stevilka testnega primera od 1 "
       "do 2, ne pa 3\n"},
      {"Mirvasta\n0\n", kSubmission, "input",
       "Napaka [Tql25Mirvasta.cpp:122]: v drugi vrstici bi moralo biti stevilo testnih primerov, "
       "ne pa \"0\"\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    const TViewed viewed = view(c.input, c.submission);
    EXPECT_EQ(1, viewed.rc);
    EXPECT_EQ(0u, viewed.err.find("Tql25Mirvasta-view: " + c.file + " '")) << viewed.err;
    EXPECT_EQ("' refused: " + c.err, viewed.err.substr(viewed.err.rfind("' refused: ")));
    EXPECT_FALSE(viewed.written);
  }
}

TEST(Viewer, ShowsOnlyTheChosenBlocks) {
  const TViewed second = view(kInput, kSubmission, {"--blocks", "2"});
  ASSERT_EQ(0, second.rc) << second.err;
  EXPECT_EQ(1u, matches(second.page, std::regex("\\{\"caseNo\":")).size());
  EXPECT_NE(std::string::npos, second.page.find("{\"caseNo\":2,"));
  EXPECT_EQ(
      3u, matches(view(kInput, kSubmission, {"--blocks=1,2-3"}).page, std::regex("\\{\"caseNo\":"))
              .size());
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
