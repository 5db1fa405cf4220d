#include "evaluator/KnownAnswers.h"

#include "evaluator/Evaluation.h"
#include "text/TextModeBuf.h"

namespace {

// The files are text, so that no floating-point constant of this build, which
// a flag may have changed, enters them. Each case exercises a path of the
// cost: two segments whose arc tangents are computed as a pair (1), a disc
// inside a disc (2), coinciding centres (3), touching within the tolerance
// (4), a lens a hair wide, where the arc tangent's last bit shows (5), the
// hexadecimal and exponent forms of the scan (6), and many overlaps of many
// sizes summed through the grid, where the order of the additions shows (7).
const char* const kInputHead =
    "Mirvasta\n7\n"
    "\n1\n2\n0.3\n0.2\n"
    "\n2\n2\n0.1\n0.5\n"
    "\n3\n2\n0.25\n0.125\n"
    "\n4\n2\n0.25\n0.25\n"
    "\n5\n2\n0.25\n0.3\n"
    "\n6\n2\n0x1.8p-3\n0.375\n"
    "\n7\n64\n";
const char* const kSubmissionHead =
    "000000\nMirvasta\n"
    "1\n0.1 0.2\n0.5 0.2\n"
    "2\n0.5 0.5\n0.6 0.5\n"
    "3\n0.5 0.5\n0.500000005 0.5\n"
    "4\n0.25 0.5\n0.749999995 0.5\n"
    "5\n0 0\n0.54999997 0\n"
    "6\n0x1p-2 5e-1\n0.5 .75E0\n"
    "7\n";

const char* const kReport =
    "OK\n7\n"
    "1 1.98979181872093353889e-02\n"
    "2 3.14159265358979339355e-02\n"
    "3 4.90873852123405174375e-02\n"
    "4 0.00000000000000000000e+00\n"
    "5 3.61813610146098467435e-12\n"
    "6 5.72042554137597025754e-02\n"
    "7 2.08645232024977297924e-02\n";

// "0." and `thousandths` with three digits.
std::string decimal(int thousandths) {
  const std::string digits = std::to_string(1000 + thousandths);
  return "0." + digits.substr(1);
}

// Case 7: 64 circles of radii 0.040 to 0.062 on an 8 x 8 lattice of step
// 0.11, each centre moved by up to 0.02: neighbours overlap by different
// amounts, and the grid takes over. Integers only, for the reason above.
void appendLattice(std::string& input, std::string& submission) {
  for (int i = 0; i < 64; ++i) {
    const int r = 40 + (i * 37) % 23;
    const int x = 60 + 110 * (i % 8) + (i * 53) % 41 - 20;
    const int y = 60 + 110 * (i / 8) + (i * 29) % 41 - 20;
    input += decimal(r) + "\n";
    submission += decimal(x) + " " + decimal(y) + "\n";
  }
}

}  // namespace

std::string knownAnswerFault() {
  std::string input = kInputHead, submission = kSubmissionHead;
  appendLattice(input, submission);
  TTextBytes inputText(input), submissionText(submission);
  const std::string report = evaluateTexts(inputText, submissionText).report;
  if (report == kReport) return "";
  // The first line that differs.
  std::size_t line = 0, at = 0;
  while (at < report.size() && at < std::string(kReport).size() && report[at] == kReport[at]) {
    if (report[at++] == '\n') line = at;
  }
  const auto lineAt = [](const std::string& text, std::size_t from) {
    return text.substr(from, text.find('\n', from) - from);
  };
  return "its known answers give \"" + lineAt(report, line) + "\" where \"" +
         lineAt(kReport, line) + "\" is right";
}
