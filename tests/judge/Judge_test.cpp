#include "judge/Judge.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Format.h"
#include "scoring/Geometry.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace fs = std::filesystem;

namespace {

// Two cases of two discs of radius 0.25; blocks that place them apart, or
// with centres 0.4 or 0.3 apart.
const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n2\n0.25\n0.25\n";
std::string block(int caseNo, const char* placement) {
  const std::string centres = std::string(placement) == "apart" ? "0.25 0.5\n0.75 0.5\n"
                              : std::string(placement) == "0.4" ? "0.3 0.5\n0.7 0.5\n"
                                                                : "0.35 0.5\n0.65 0.5\n";
  return std::to_string(caseNo) + "\n" + centres;
}
std::string submission(const std::string& blocks) { return "123456\nMirvasta\n" + blocks; }

// The lens areas at those distances, as the evaluator computes them.
const double k04 = lensArea(0.25, 0.25, distance({0.7, 0.5}, {0.3, 0.5}));
const double k03 = lensArea(0.25, 0.25, distance({0.65, 0.5}, {0.35, 0.5}));

struct TJudged {
  int rc;
  std::string out, err, score, team;
};

// Runs one form exactly as its judge calls it: CMS with three paths, the
// checker's own name and no option; Kattis with the contestant on standard
// input and its validator flag after the paths.
TJudged runForm(bool kattis, const std::string& reference, const std::string& contestant,
                std::vector<std::string> options = {}) {
  TTempFile input(kInput), referenceFile(reference), contestantFile(contestant);
  const std::string feedback = input.path() + ".feedback";
  fs::create_directory(feedback);
  std::vector<std::string> args = {input.path(), referenceFile.path(),
                                   kattis ? feedback : contestantFile.path()};
  if (kattis) args.push_back("--kattis");
  args.insert(args.end(), options.begin(), options.end());
  std::FILE* in = std::fopen(contestantFile.path().c_str(), "rb");
  TCapture out, err;
  const int rc = runJudgeCommandLine(kattis ? "/judge/validate" : "/cms/checker", args, in,
                                     out.file(), err.file());
  std::fclose(in);
  auto feedbackFile = [&](const char* name) {
    return fs::exists(fs::path(feedback) / name) ? readFile((fs::path(feedback) / name).string())
                                                 : "";
  };
  return {rc, out.text(), err.text(), feedbackFile("score.txt"), feedbackFile("teammessage.txt")};
}

TEST(Judge, ScoresEachCaseAgainstTheReference) {
  const std::string refused = submission(block(1, "apart") + "3\n");
  const struct {
    const char* name;
    std::string reference, contestant;
    double score;  // -1: refused by the evaluator
    std::vector<std::string> options = {};
  } cases[] = {
      {"all better", submission(block(1, "0.4") + block(2, "0.4")),
       submission(block(1, "apart") + block(2, "0.3") + block(2, "apart")), 1},
      {"all worse", submission(block(1, "0.4") + block(2, "0.4")),
       submission(block(1, "0.3") + block(2, "0.3")), k04 / k03},
      {"equal", submission(block(1, "0.3") + block(2, "apart")),
       submission(block(2, "apart") + block(1, "0.3")), 1},
      {"zero reference", submission(block(1, "apart") + block(2, "apart")),
       submission(block(1, "0.4") + block(2, "apart")), 0.5},
      {"a case missing", submission(block(1, "0.4") + block(2, "0.4")), submission(block(1, "0.4")),
       0.5},
      {"a floor",
       submission(block(1, "apart") + block(2, "apart")),
       submission(block(1, "0.3") + block(2, "0.4")),
       (k04 / k03 + 1) / 2,
       {"--floor", shortestDecimal(k04)}},
      {"refused submission", submission(block(1, "0.4") + block(2, "0.4")), refused, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const double score = c.score < 0 ? 0 : c.score;
    const TJudged cms = runForm(false, c.reference, c.contestant, c.options);
    EXPECT_EQ(0, cms.rc) << cms.err;
    EXPECT_EQ(shortestDecimal(score) + "\n", cms.out);
    const TJudged kattis = runForm(true, c.reference, c.contestant, c.options);
    EXPECT_EQ(c.score < 0 ? 43 : 42, kattis.rc) << kattis.err;
    EXPECT_EQ(shortestDecimal(score) + "\n", kattis.score);
    // The contestant reads the evaluator's own message where each judge shows one.
    const std::string message =
        c.score < 0 ? "Napaka [Tql25Mirvasta.cpp:259]: v 6. vrstici bi morala biti stevilka "
                      "testnega primera od 1 do 2, ne pa 3\n"
                    : "Ocena " + fixedDecimal(score, 6) + ": ";
    EXPECT_EQ(0u, cms.err.find(message)) << cms.err;
    EXPECT_EQ(0u, kattis.team.find(message)) << kattis.team;
  }
}

// A reference the evaluator refuses, or one that leaves out a case, is the
// judge's error: its own exit code, and no score anywhere.
TEST(Judge, NeverScoresAgainstABadReference) {
  const std::string contestant = submission(block(1, "0.4") + block(2, "0.4"));
  for (const std::string& reference :
       {submission(block(1, "0.4") + "3\n"), submission(block(2, "0.4"))}) {
    for (bool kattis : {false, true}) {
      SCOPED_TRACE(reference + (kattis ? " (Kattis)" : " (CMS)"));
      const TJudged judged = runForm(kattis, reference, contestant);
      EXPECT_EQ(1, judged.rc);
      EXPECT_EQ("", judged.out);
      EXPECT_EQ("", judged.score);
      EXPECT_EQ(0u, judged.err.find("Tql25Mirvasta-judge: reference '")) << judged.err;
    }
  }
}

TEST(Judge, NeedsItsForm) {
  TCapture out, err;
  EXPECT_EQ(2, runJudgeCommandLine("judge", {"a", "b", "c"}, stdin, out.file(), err.file()));
  EXPECT_EQ(0u, err.text().find("Tql25Mirvasta-judge: give --cms or --kattis\nUsage: "));
}

}  // namespace
