#pragma once

#include <cstdio>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "scoring/Placement.h"
#include "task/TaskInput.h"
#include "text/LineReader.h"

constexpr const char* kUsage = "Uporaba: Tql25Kunep eval input.txt submission.txt report.txt\n";

// Exit codes: usage and every written report end with 0.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;     // "eval" with fewer than three paths.
constexpr int kExitNoReport = 2;  // The report could not, or must not, be written.
// This build's arithmetic gives other costs than the correct ones: it
// refuses to grade, and writes no report.
constexpr int kExitWrongArithmetic = 3;

// Runs the program on its arguments (without the program's name): prints the
// usage, or evaluates and writes the report. Echo lines go to `out`, a report
// that cannot be written is named on `err`. Returns the exit code.
int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// Called for each scored case block, in submission order, with its placement
// and its result.
using TBlockVisitor = std::function<void(const TResitev& resitev, const Rezultat& rezultat)>;

// The cost of a case block whose case number stands on line `caseLine`. The
// evaluator's is the placement's cost; the page's may leave a block to be
// scored elsewhere, by the same code.
using TBlockScorer = std::function<double(int caseLine, const TResitev& resitev)>;

// Checks the submission's header, read through the reader of its text, and
// scores each of its case blocks. Returns the contestant's number, line 1.
// After a failure the reader's lineNo names the line concerned. Blocks are
// scored by `scorer` where one is given.
std::string evaluateSubmission(TLineReader& reader, const std::vector<TTestCase>& testCases,
                               const TBlockVisitor& onBlock, const TBlockScorer* scorer = nullptr);

// The same from a text stream.
std::string evaluateSubmission(std::istream& is, const std::vector<TTestCase>& testCases,
                               const TBlockVisitor& onBlock);

// The case blocks alone, checked and scored as there, from the reader's
// position to the end of the text.
void evaluateBlocks(TLineReader& reader, const std::vector<TTestCase>& testCases,
                    const TBlockVisitor& onBlock, const TBlockScorer* scorer = nullptr);

// Which file a check failed in.
enum class TFailedFile { kNone, kInput, kSubmission };

// What an evaluation writes: the report's bytes and the echo lines for
// standard output; and, for the contestants' page, where a check failed.
struct TEvaluation {
  std::string report;
  std::string echo;
  TFailedFile failedFile = TFailedFile::kNone;
  int failedLine = 0;   // The line concerned, counted as the file's reader counts it.
  int failedCheck = 0;  // The failed check's line number, as the report gives it.
  std::vector<std::string> failedArguments = {};  // Its message's arguments.
  std::string contestant = "";                    // An accepted submission's number.
  std::vector<TTestCase> testCases = {};          // The input's, where it was accepted.
};

// Evaluates the submission against the task's input file, both read as text.
// Every failure, a read error included, ends in the report's error block.
// onBlock, unless null, sees each scored case block; scorer, unless null,
// scores them.
TEvaluation evaluateTexts(std::istream& input, std::istream& submission,
                          const TBlockVisitor* onBlock = nullptr,
                          const TBlockScorer* scorer = nullptr);
