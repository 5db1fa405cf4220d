#include "run/Evaluation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "run/Report.h"
#include "support/Run.h"
#include "support/TempFile.h"

// Checks 246 (six digits that do not convert) and 261 (a case number in range
// without its case) guard states that no file can produce, so no test reaches
// them.

namespace {

const char* const kInput = "Mirvasta\n2\n\n1\n1\n0.5\n\n2\n2\n0.2\n0.2\n";

TEST(CommandLine, PrintsTheUsageUnlessAskedToEvaluateThreeFiles) {
  const struct {
    std::vector<std::string> args;
    int rc;
  } cases[] = {
      {{}, 0},       {{"EVAL", "a", "b", "c"}, 0}, {{"eval "}, 0},          {{"help"}, 0},
      {{"eval"}, 1}, {{"eval", "a"}, 1},           {{"eval", "a", "b"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const TRunResult result = run(c.args);
    EXPECT_EQ(c.rc, result.rc);
    EXPECT_EQ("Uporaba: Tql25Kunep eval input.txt submission.txt report.txt\n", result.out);
  }
}

TEST(Evaluation, AHeaderWithoutCaseBlocksIsAValidSubmission) {
  TTempFile input(kInput), submission("000000\nMirvasta\n\n\n"), report;
  const TRunResult result = run({"eval", input.path(), submission.path(), report.path(), "x"});
  EXPECT_EQ(0, result.rc);
  EXPECT_EQ("OK\n0\n", report.read());
  EXPECT_EQ("", result.out);
}

TEST(Evaluation, ScoresEachCaseBlockInSubmissionOrderAndEchoesIt) {
  TTempFile input(kInput), report;
  TTempFile submission("123456\nMirvasta\n\n2\n0.5 0.5\n0.5 0.5\n1\n0.5 0.5\n\n 2\n0 0\n1 1\n");
  const TRunResult result = run({"eval", input.path(), submission.path(), report.path()});
  EXPECT_EQ(0, result.rc);
  EXPECT_EQ(
      "OK\n3\n2 1.25663706143591735742e-01\n1 0.00000000000000000000e+00\n"
      "2 0.00000000000000000000e+00\n",
      report.read());
  EXPECT_EQ(
      "Testni primer 2: cena 0.125664.\nTestni primer 1: cena 0.000000.\n"
      "Testni primer 2: cena 0.000000.\n",
      result.out);
}

TEST(Evaluation, CrLfFilesGiveTheSameReport) {
  const std::string submission = "123456\nMirvasta\n2\n0.5 0.5\n0.6 0.5\n\n1\n0.1 0.2\n";
  auto crlf = [](std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) {
      text.insert(at, "\r");
    }
    return text;
  };
  TTempFile input(kInput), sub(submission), inputCrLf(crlf(kInput)), subCrLf(crlf(submission));
  TTempFile report, reportCrLf;
  run({"eval", input.path(), sub.path(), report.path()});
  run({"eval", inputCrLf.path(), subCrLf.path(), reportCrLf.path()});
  EXPECT_EQ(std::string::npos, report.read().find("Napaka"));
  EXPECT_EQ(report.read(), reportCrLf.read());
}

TEST(Evaluation, ACheckFailureBecomesTheErrorBlock) {
  TTempFile input(kInput), submission("123456\nMirvasta %s%n\"\n"), report;
  const TRunResult result = run({"eval", input.path(), submission.path(), report.path()});
  EXPECT_EQ(0, result.rc);
  EXPECT_EQ(
      "Napaka [Tql25Mirvasta.cpp:249]: v drugi vrstici bi moral biti niz \"Mirvasta\", "
      "ne pa \"Mirvasta %s%n\"\"\n-1\n",
      report.read());
  EXPECT_EQ("", result.out);
}

TEST(Evaluation, AReportThatCannotBeWrittenEndsWithCode2) {
  TTempFile input(kInput), valid("123456\nMirvasta\n"), invalid("12345\n");
  const std::string folder = std::filesystem::path(input.path()).parent_path().string();
  const std::string missing = folder + "/no/such/report.txt";
  const struct {
    std::string submission, report;
  } cases[] = {
      {valid.path(), missing},     {valid.path(), folder},        {valid.path(), ""},
      {valid.path(), "/dev/full"}, {invalid.path(), "/dev/full"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    const TRunResult result = run({"eval", input.path(), c.submission, c.report});
    EXPECT_EQ(2, result.rc);
    EXPECT_NE(std::string::npos, result.err.find("'" + c.report + "'")) << result.err;
    EXPECT_EQ(1, std::count(result.err.begin(), result.err.end(), '\n'));
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(Report, UnexpectedErrorBlockIsFixedText) {
  TTempFile report;
  std::FILE* f = std::fopen(report.path().c_str(), "w");
  writeUnexpectedErrorBlock(f);
  std::fclose(f);
  EXPECT_EQ("Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.\n-1\n",
            report.read());
}

}  // namespace
