#include "judge/Judge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/Format.h"
#include "grading/Printable.h"
#include "grading/Standing.h"
#include "scoring/Geometry.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace fs = std::filesystem;

namespace {

// Two cases of two discs of radius 0.25; blocks that place them apart, or
// with centres 0.4 or 0.3 apart.
const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n2\n0.25\n0.25\n";
std::string block(int caseNo, const std::string& placement) {
  const std::string centres = placement == "apart"  ? "0.25 0.5\n0.75 0.5\n"
                              : placement == "0.4"  ? "0.3 0.5\n0.7 0.5\n"
                              : placement == "hair" ? "0.25 0.5\n0.74999997 0.5\n"
                                                    : "0.35 0.5\n0.65 0.5\n";
  return std::to_string(caseNo) + "\n" + centres;
}
std::string submission(const std::string& blocks) { return "123456\nMirvasta\n" + blocks; }

// The lens areas at those distances, as the evaluator computes them. The
// hair's breadth beyond touching leaves an area of about 3e-12.
const double k04 = lensArea(0.25, 0.25, distance({0.7, 0.5}, {0.3, 0.5}));
const double k03 = lensArea(0.25, 0.25, distance({0.65, 0.5}, {0.35, 0.5}));

struct TJudged {
  int rc;
  std::string out, err, score, team, judges;
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
  return {rc,
          out.text(),
          err.text(),
          feedbackFile("score.txt"),
          feedbackFile("teammessage.txt"),
          feedbackFile("judgemessage.txt")};
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
      // Above the floor the score falls continuously; up to it, it is 1.
      {"zero reference", submission(block(1, "apart") + block(2, "apart")),
       submission(block(1, "0.4") + block(2, "apart")), (kDefaultFloor / k04 + 1) / 2},
      {"zero reference, a rounding error's overlap",
       submission(block(1, "apart") + block(2, "apart")),
       submission(block(1, "hair") + block(2, "apart")), 1},
      {"zero reference, no floor",
       submission(block(1, "apart") + block(2, "apart")),
       submission(block(1, "hair") + block(2, "apart")),
       0.5,
       {"--floor", "0"}},
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

// --accept-at S accepts a score of S itself, and takes any S from 0 to 1.
TEST(Judge, AcceptsAtItsBound) {
  const std::string reference = submission(block(1, "0.4") + block(2, "0.4"));
  const struct {
    std::string contestant, acceptAt;
    int rc;
  } cases[] = {
      {reference, "1", 42},
      {submission(block(1, "0.4")), "0.5", 42},
      {submission(block(1, "0.4")), "0.5000001", 43},
      {submission(block(1, "0.3") + block(2, "0.3")), "0", 42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.acceptAt);
    EXPECT_EQ(c.rc, runForm(true, reference, c.contestant, {"--accept-at", c.acceptAt}).rc);
  }
  for (const char* outside : {"-0.1", "1.0000001", "nan"}) {
    EXPECT_EQ(2, runForm(true, reference, reference, {"--accept-at", outside}).rc) << outside;
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

// Each form takes what its judges pass and refuses, by name, any other
// word: Kattis's default validator's flags wherever they stand (BAPCtools
// passes them first), CMS's kind of output after the paths.
TEST(Judge, TakesWhatTheJudgesPassAndNothingElse) {
  const std::string reference = submission(block(1, "0.4") + block(2, "0.4"));
  TTempFile input(kInput), referenceFile(reference), contestant(reference);
  const std::string in = input.path(), ref = referenceFile.path(), feedback = in + ".fb";
  fs::create_directory(feedback);
  const struct {
    std::vector<std::string> args;
    int rc;
    std::string err;  // Its first line.
  } cases[] = {
      {{in, ref, feedback, "case_sensitive", "space_change_sensitive", "--kattis"}, 42, ""},
      {{"case_sensitive", in, ref, "float_tolerance", "1e-6", feedback, "--kattis",
        "float_relative_tolerance", "-1", "float_absolute_tolerance", "0"},
       42,
       ""},
      {{in, ref, feedback, "--kattis", "float_tolerance"},
       2,
       "Tql25Mirvasta-judge: float_tolerance needs a value"},
      {{in, ref, feedback, "outputonly", "--kattis"},
       2,
       "Tql25Mirvasta-judge: unexpected argument 'outputonly'"},
      {{in, ref, feedback, "--kattis", "case_insensitive"},
       2,
       "Tql25Mirvasta-judge: unexpected argument 'case_insensitive'"},
      {{in, ref}, 2, "Tql25Mirvasta-judge: give INPUT, REFERENCE and CONTESTANT"},
      {{in, ref, contestant.path()}, 0, "Ocena 1.000000: odgovorjenih 2 od 2 testnih primerov."},
      {{in, ref, contestant.path(), "outputonly"},
       0,
       "Ocena 1.000000: odgovorjenih 2 od 2 testnih primerov."},
      {{in, ref, contestant.path(), "batch"},
       0,
       "Ocena 1.000000: odgovorjenih 2 od 2 testnih primerov."},
      {{in, ref, contestant.path(), "output"},
       2,
       "Tql25Mirvasta-judge: unexpected argument 'output': after the paths, CMS passes only "
       "outputonly or batch"},
      {{in, ref, contestant.path(), "outputonly", "batch"},
       2,
       "Tql25Mirvasta-judge: unexpected argument 'batch': after the paths, CMS passes only "
       "outputonly or batch"},
      {{in, ref, contestant.path(), "case_sensitive"},
       2,
       "Tql25Mirvasta-judge: unexpected argument 'case_sensitive': after the paths, CMS passes "
       "only outputonly or batch"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    std::FILE* given = std::fopen(contestant.path().c_str(), "rb");
    TCapture out, err;
    EXPECT_EQ(c.rc, runJudgeCommandLine("/cms/checker", c.args, given, out.file(), err.file()));
    std::fclose(given);
    const std::string said = err.text();
    EXPECT_EQ(c.err, said.substr(0, said.find('\n')));
  }
}

// Whatever bytes a contestant's refused line holds, every message the judge
// writes is one that CMS and Kattis take: printable ASCII (so valid UTF-8,
// with none of the code points CMS refuses) and lines of bounded length.
// The score and the exit code stay those of any refused submission.
TEST(Judge, WritesMessagesEveryJudgeSystemTakes) {
  std::vector<std::string> lines = {"\x9a",
                                    std::string(1, '\0'),
                                    "\x7f",
                                    "\xc2\xa0",
                                    "\xc2\xb0",
                                    "a\rb",
                                    std::string(5 << 20, 'x') + "\xab"};
  for (char c = 1; c < 32; ++c) {
    if (c != '\n') lines.push_back(std::string("a") + c + "b");
  }
  const std::size_t longest = kQuotedLineCap + std::string(" [cut: 5242881 bytes in all]").size();
  for (const std::string& line : lines) {
    SCOPED_TRACE(printable(line.substr(0, 8)));
    const std::string contestant = "123456\nMirvasta " + line + "\n";
    const std::string reference = submission(block(1, "0.4") + block(2, "0.4"));
    const TJudged cms = runForm(false, reference, contestant);
    const TJudged kattis = runForm(true, reference, contestant);
    EXPECT_EQ(0, cms.rc);
    EXPECT_EQ("0\n", cms.out);
    EXPECT_EQ(43, kattis.rc);
    EXPECT_EQ("0\n", kattis.score);
    for (const std::string& message : {cms.err, kattis.team, kattis.judges}) {
      EXPECT_NE(std::string::npos, message.find("Napaka [Tql25Mirvasta.cpp:249]")) << message;
      std::size_t lineLength = 0, longestLine = 0;
      for (char c : message) {
        lineLength = c == '\n' ? 0 : lineLength + 1;
        longestLine = std::max(longestLine, lineLength);
      }
      EXPECT_LE(longestLine, longest);
      EXPECT_TRUE(std::all_of(message.begin(), message.end(), [](char c) {
        return c == '\n' || (c >= 0x20 && c < 0x7f);
      })) << message;
    }
  }
}

}  // namespace
