#include "evaluator/Evaluation.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/Assertion.h"
#include "base/SameFile.h"
#include "evaluator/KnownAnswers.h"
#include "evaluator/Report.h"
#include "scoring/Cost.h"
#include "text/LineReader.h"
#include "text/Scan.h"
#include "text/TextModeBuf.h"

namespace {

// The contestant's number.
std::string checkHeader(TLineReader& reader) {
  std::string s;
  reader.readLine(s);
  CHECK(s.size() == 6, 243, "stevilka tekmovalca bi morala imeti 6 stevk");
  for (char c : s) CHECK(c >= '0' && c <= '9', 244, "stevilka tekmovalca bi morala imeti 6 stevk");
  int userId = 0;
  const TScannedInt scanned = scanInt(s);
  CHECK(scanned.count >= 1 && scanned.within(0, 999999, userId), 246,
        "v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"", s, "\"");

  std::string task;
  reader.readLine(task);
  CHECK(task == kTaskName, 249, "v drugi vrstici bi moral biti niz \"", kTaskName, "\", ne pa \"",
        task, "\"");
  return s;
}

void reportUnwritable(std::FILE* err, const std::string& path, int error) {
  std::fprintf(err, "Tql25Mirvasta: cannot write the report file '%s': %s\n", path.c_str(),
               std::strerror(error));
}

int evaluate(const std::string& inputPath, const std::string& submissionPath,
             const std::string& reportPath, std::FILE* out, std::FILE* err) {
  // Before anything is opened: a build that computes other costs than the
  // correct ones must not print them as if they were right.
  const std::string fault = knownAnswerFault();
  if (!fault.empty()) {
    std::fprintf(err, "Tql25Mirvasta: this build refuses to grade: %s\n", fault.c_str());
    return kExitWrongArithmetic;
  }
  // Opening the report truncates it before any input is read, so a report
  // over one of the inputs, by any path or link, would destroy that file.
  for (const std::string* input : {&inputPath, &submissionPath}) {
    if (sameFile(reportPath, *input)) {
      std::fprintf(err, "Tql25Mirvasta: the report file '%s' is the %s file; nothing was written\n",
                   reportPath.c_str(), input == &inputPath ? "input" : "submission");
      return kExitNoReport;
    }
  }
  // Binary, so that lines end in a line feed on every platform.
  std::FILE* report = std::fopen(reportPath.c_str(), "wb");
  if (report == nullptr) {
    reportUnwritable(err, reportPath, errno);
    return kExitNoReport;
  }
  TEvaluation evaluation;
  try {
    TTextFile input(inputPath.c_str()), submission(submissionPath.c_str());
    evaluation = evaluateTexts(input, submission);
  } catch (...) {
    evaluation = {unexpectedErrorBlock(), ""};
  }
  std::fwrite(evaluation.report.data(), 1, evaluation.report.size(), report);
  std::fwrite(evaluation.echo.data(), 1, evaluation.echo.size(), out);
  // A full disk may show only here: the writes above are buffered.
  const bool written = !std::ferror(report);
  const bool closed = std::fclose(report) == 0;
  if (!written || !closed) {
    reportUnwritable(err, reportPath, errno);
    return kExitNoReport;
  }
  return kExitOk;
}

}  // namespace

std::string evaluateSubmission(std::istream& is, const std::vector<TTestCase>& testCases,
                               const TBlockVisitor& onBlock) {
  TLineReader reader(is);
  return evaluateSubmission(reader, testCases, onBlock);
}

std::string evaluateSubmission(TLineReader& reader, const std::vector<TTestCase>& testCases,
                               const TBlockVisitor& onBlock, const TBlockScorer* scorer) {
  std::string contestant = checkHeader(reader);
  evaluateBlocks(reader, testCases, onBlock, scorer);
  return contestant;
}

void evaluateBlocks(TLineReader& reader, const std::vector<TTestCase>& testCases,
                    const TBlockVisitor& onBlock, const TBlockScorer* scorer) {
  const int nTestCases = static_cast<int>(testCases.size());
  std::string s;
  while (reader.nextLine(s)) {
    if (s.empty()) continue;
    const TScannedInt scanned = scanInt(s);
    CHECK(scanned.count == 1, 258, "v ", reader.lineNo,
          ". vrstici bi morala biti stevilka testnega primera, ne pa \"", s, "\"");
    int caseNo = 0;
    CHECK(scanned.within(1, nTestCases, caseNo), 259, "v ", reader.lineNo,
          ". vrstici bi morala biti stevilka testnega primera od 1 do ", nTestCases, ", ne pa ",
          scanned.decimal());
    const auto found = std::find_if(testCases.begin(), testCases.end(),
                                    [caseNo](const TTestCase& t) { return t.number == caseNo; });
    CHECK(found != testCases.end(), 261, "v ", reader.lineNo,
          ". vrstici se pojavlja neveljavna stevilka testnega primera: ", caseNo);
    const int caseLine = reader.lineNo;
    TResitev resitev;
    readPlacement(resitev, reader, caseNo, *found);
    const double cena = scorer != nullptr ? (*scorer)(caseLine, resitev)
                                          : placementCost(found->radii, resitev.tocke);
    onBlock(resitev, Rezultat{caseNo, cena});
  }
}

TEvaluation evaluateTexts(std::istream& input, std::istream& submission,
                          const TBlockVisitor* onBlock, const TBlockScorer* scorer) {
  TEvaluation evaluation;
  TLineReader inputReader(input), submissionReader(submission);
  TFailedFile reading = TFailedFile::kInput;
  std::vector<TTestCase> testCases;
  try {
    readInput(inputReader, testCases);
    reading = TFailedFile::kSubmission;
    std::vector<Rezultat> results;
    const TBlockVisitor keep = [&](const TResitev& resitev, const Rezultat& rezultat) {
      results.push_back(rezultat);
      if (onBlock != nullptr) (*onBlock)(resitev, rezultat);
    };
    evaluation.contestant = evaluateSubmission(submissionReader, testCases, keep, scorer);
    evaluation.report = successBlock(results, evaluation.echo);
  } catch (const EAssertion& failure) {
    evaluation = {errorBlock(failure),
                  "",
                  reading,
                  (reading == TFailedFile::kInput ? inputReader : submissionReader).lineNo,
                  failure.line,
                  failure.arguments};
  } catch (...) {
    evaluation = {unexpectedErrorBlock(), ""};
  }
  if (reading == TFailedFile::kSubmission) evaluation.testCases = std::move(testCases);
  return evaluation;
}

int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty() || args[0] != "eval") {
    std::fputs(kUsage, out);
    return kExitOk;
  }
  if (args.size() < 4) {
    std::fputs(kUsage, out);
    return kExitUsage;
  }
  return evaluate(args[1], args[2], args[3], out, err);
}
