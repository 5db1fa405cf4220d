#include "toolkit/Submission.h"

#include "base/Format.h"

std::string submissionText(const std::string& contestant, const std::vector<TTestCase>& testCases,
                           const std::vector<std::vector<Tocka>>& placements) {
  std::string text = contestant + "\n" + kTaskName + "\n";
  for (std::size_t c = 0; c < testCases.size(); ++c) {
    text += std::to_string(testCases[c].number) + "\n";
    for (const Tocka& p : placements[c]) {
      text += shortestDecimal(p.x) + " " + shortestDecimal(p.y) + "\n";
    }
  }
  return text;
}
