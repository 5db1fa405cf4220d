#include "fuzz/FuzzHarness.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "evaluator/Evaluation.h"
#include "text/TextModeBuf.h"

namespace {

void require(bool condition, const char* what, const std::string& report) {
  if (condition) return;
  std::fprintf(stderr, "report is not one block (%s):\n%s\n", what, report.c_str());
  std::abort();
}

// "OK", a count, then that many lines of a case number and a finite,
// non-negative cost; or one error block.
void checkOneBlock(const std::string& report) {
  static const std::regex error(
      "Napaka \\[Tql25Mirvasta\\.cpp:[0-9]+\\]: [^\\n]*\\n-1\\n|"
      "Nepricakovana napaka\\.  Predlagamo, da obvestis organizatorje tekmovanja\\.\\n-1\\n");
  if (report.compare(0, 3, "OK\n") != 0) {
    require(std::regex_match(report, error), "not an error block", report);
    return;
  }
  std::size_t at = 3;
  auto nextLine = [&]() {
    const std::size_t end = report.find('\n', at);
    require(end != std::string::npos, "unterminated line", report);
    std::string line = report.substr(at, end - at);
    at = end + 1;
    return line;
  };
  const int count = std::atoi(nextLine().c_str());
  for (int i = 0; i < count; ++i) {
    int caseNo = 0;
    double cost = -1;
    char rest = 0;
    const std::string line = nextLine();
    require(std::sscanf(line.c_str(), "%d %lf%c", &caseNo, &cost, &rest) == 2, "bad line", report);
    require(caseNo >= 1 && caseNo <= 100 && std::isfinite(cost) && cost >= 0, "bad result", report);
  }
  require(at == report.size(), "text after the success block", report);
}

}  // namespace

std::string evaluateOrAbort(const std::string& input, const std::string& submission) {
  TTextBytes inputText(input), submissionText(submission);
  const std::string report = evaluateTexts(inputText, submissionText).report;
  checkOneBlock(report);
  return report;
}
