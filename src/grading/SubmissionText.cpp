#include "grading/SubmissionText.h"

#include "base/Format.h"

std::string submissionHeader(const std::string& contestant) {
  return contestant + "\n" + kTaskName + "\n";
}

std::string caseBlock(int caseNo, const std::vector<Tocka>& tocke) {
  std::string text = std::to_string(caseNo) + "\n";
  for (const Tocka& p : tocke) text += shortestDecimal(p.x) + " " + shortestDecimal(p.y) + "\n";
  return text;
}

std::string submissionText(const std::string& contestant, const std::vector<TTestCase>& testCases,
                           const std::vector<std::vector<Tocka>>& placements) {
  std::string text = submissionHeader(contestant);
  for (std::size_t c = 0; c < testCases.size(); ++c) {
    text += caseBlock(testCases[c].number, placements[c]);
  }
  return text;
}
