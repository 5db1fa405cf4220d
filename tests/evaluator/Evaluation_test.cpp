#include "evaluator/Evaluation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "evaluator/KnownAnswers.h"
#include "support/FailingSource.h"
#include "support/Run.h"
#include "support/TempFile.h"
#include "text/TextModeBuf.h"

// Checks 246 (six digits that do not convert) and 261 (a case number in range
// without its case) guard states that no file can produce, so no test reaches
// them.

namespace {

const char* const kInput = "Mirvasta\n2\n\n1\n1\n0.5\n\n2\n2\n0.2\n0.2\n";

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

// A disk that fails in the middle of a file must not pass for the file's end,
// which would read as the contestant's missing line.
TEST(Evaluation, AReadErrorGivesTheUnexpectedErrorBlock) {
  const std::string submission = "123456\nMirvasta\n1\n0.5 0.5\n";
  for (bool inputFails : {true, false}) {
    SCOPED_TRACE(inputFails ? "input" : "submission");
    const std::string wholeBytes = inputFails ? submission : kInput;
    TFailingSource failing(inputFails ? kInput : submission);
    TTextBytes whole(wholeBytes);
    TTextStream broken(failing);
    const TEvaluation evaluation =
        inputFails ? evaluateTexts(broken, whole) : evaluateTexts(whole, broken);
    EXPECT_EQ("Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.\n-1\n",
              evaluation.report);
    EXPECT_EQ("", evaluation.echo);
  }
}

// This build's arithmetic is the correct one, so its known answers agree.
TEST(Evaluation, KnownAnswersAgree) { EXPECT_EQ("", knownAnswerFault()); }

// Line 1 is six bytes from '0' to '9': the bytes either side of that range,
// in every place, are refused, and every digit at its highest passes.
TEST(Evaluation, ChecksEveryDigitOfTheContestantNumber) {
  EXPECT_EQ(std::string::npos, reportFor(kInput, "999999\nMirvasta\n").find("Napaka"));
  EXPECT_EQ(std::string::npos, reportFor(kInput, "000000\nMirvasta\n").find("Napaka"));
  for (int place = 0; place < 6; ++place) {
    for (char outside : {'/', ':'}) {
      std::string number = "999999";
      number[place] = outside;
      SCOPED_TRACE(number);
      EXPECT_EQ("Napaka [Tql25Mirvasta.cpp:244]: stevilka tekmovalca bi morala imeti 6 stevk\n-1\n",
                reportFor(kInput, number + "\nMirvasta\n"));
    }
  }
}

// A report over one of the inputs, by any path or link, would destroy that
// file before it is read: refused before anything is opened for writing.
TEST(Evaluation, RefusesAReportThatIsOneOfItsInputs) {
  TTempFile input(kInput), submission("123456\nMirvasta\n");
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(submission.path()).parent_path();
  fs::create_hard_link(input.path(), folder / "input-link.txt");
  fs::create_symlink(submission.path(), folder / "submission-link.txt");
  const std::string unusual = (folder / ".." / folder.filename() / "file.txt").string();
  const struct {
    std::string report, named;
  } cases[] = {
      {input.path(), "input"},
      {submission.path(), "submission"},
      {(folder / "input-link.txt").string(), "input"},
      {(folder / "submission-link.txt").string(), "submission"},
      {unusual, "submission"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    const TRunResult result = run({"eval", input.path(), submission.path(), c.report});
    EXPECT_EQ(2, result.rc);
    EXPECT_EQ("Tql25Mirvasta: the report file '" + c.report + "' is the " + c.named +
                  " file; nothing was written\n",
              result.err);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(kInput, input.read());
    EXPECT_EQ("123456\nMirvasta\n", submission.read());
  }
}

}  // namespace
