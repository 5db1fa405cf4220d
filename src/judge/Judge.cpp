#include "judge/Judge.h"

#include <algorithm>
#include <filesystem>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "grading/Printable.h"
#include "grading/Standing.h"

namespace {

std::string judgeUsage() {
  return "Usage: Tql25Mirvasta-judge --cms INPUT REFERENCE CONTESTANT [outputonly|batch] "
         "[OPTIONS]\n"
         "       Tql25Mirvasta-judge --kattis INPUT REFERENCE FEEDBACK_DIR [OPTIONS] < CONTESTANT\n"
         "Scores a contestant's submission against a reference submission (the optimiser's\n"
         "best, say), both checked as the evaluator checks them. Each case of INPUT has a\n"
         "yardstick, the reference's cost for it or the floor, whichever is more; the case\n"
         "scores 1 where the contestant's cost is at most the yardstick, and otherwise\n"
         "yardstick / cost, which falls continuously from 1 as the cost grows. A case left\n"
         "out scores 0, a case answered more than once counts with its least cost, and\n"
         "the score is the mean over INPUT's cases. A submission the evaluator refuses\n"
         "scores 0.\n"
         "  --floor F        the least yardstick (default " +
         shortestDecimal(kDefaultFloor) +
         "): costs up to F score 1\n"
         "  --refused-as-0   Kattis: a refused submission scores 0 with exit code 42, as\n"
         "                   on CMS, instead of 43\n"
         "  --accept-at S    Kattis: exit code 42 only for a score of S or more, else 43,\n"
         "                   for judges without partial scores\n"
         "CMS (a program named checker takes this form without --cms, and CMS's\n"
         "BatchAndOutput task type passes outputonly or batch after the paths): the\n"
         "score on standard output, one message for the contestant on standard error.\n"
         "Kattis (validator_flags give --kattis after the paths; the default validator's\n"
         "flags are taken and ignored): the score in FEEDBACK_DIR/score.txt,\n"
         "FEEDBACK_DIR/teammessage.txt for the team, judgemessage.txt for the judges.\n"
         "Every message is printable ASCII: a contestant's other bytes appear as \\xNN,\n"
         "and a line longer than " +
         std::to_string(kQuotedLineCap) +
         " bytes is cut with a mark.\n"
         "Exit codes 1 to 4 are judge errors, never a score; in the Kattis form their\n"
         "reason goes to judgemessage.txt as well.\n"
         "--help prints this, --version the version.\n";
}

struct TJudgeCommand {
  enum TForm { kCms, kKattis } form;
  std::string inputPath, referencePath;
  std::string contestantPath;  // CMS: the contestant's submission.
  std::string feedbackDir;     // Kattis: where the verdict's files go.
  double floor = kDefaultFloor;
  bool refusedAsZero = false;
  double acceptAt = -1;  // Below 0: every accepted submission is accepted.
};

// Kattis's default output validator takes these flags, and some tools
// (BAPCtools) hand them to every output validator before the package's own;
// they mean nothing here. The float tolerances take a value.
bool isDefaultValidatorFlag(const std::string& word) {
  return word == "case_sensitive" || word == "space_change_sensitive";
}
bool isDefaultValidatorTolerance(const std::string& word) {
  return word == "float_tolerance" || word == "float_relative_tolerance" ||
         word == "float_absolute_tolerance";
}

// The arguments without the default validator's flags and their values.
std::vector<std::string> withoutDefaultValidatorFlags(const std::vector<std::string>& args) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (isDefaultValidatorTolerance(args[i])) {
      if (++i == args.size()) throw EUsageError(args[i - 1] + " needs a value");
    } else if (!isDefaultValidatorFlag(args[i])) {
      kept.push_back(args[i]);
    }
  }
  return kept;
}

TJudgeCommand parseJudgeCommand(const std::string& programName,
                                const std::vector<std::string>& givenArgs) {
  const bool kattis = std::find(givenArgs.begin(), givenArgs.end(), "--kattis") != givenArgs.end();
  const std::vector<std::string> args =
      kattis ? withoutDefaultValidatorFlags(givenArgs) : givenArgs;
  const TArguments split =
      splitArguments(args, {"--floor", "--accept-at"}, {"--cms", "--kattis", "--refused-as-0"});
  TJudgeCommand command;
  const bool namedChecker = std::filesystem::path(programName).stem() == "checker";
  int forms = 0;
  command.form = TJudgeCommand::kCms;
  for (const auto& [option, value] : split.options) {
    if (option == "--cms" || option == "--kattis") {
      ++forms;
      command.form = option == "--cms" ? TJudgeCommand::kCms : TJudgeCommand::kKattis;
    } else if (option == "--floor") {
      command.floor = finiteOption(value, option);
      if (!(command.floor >= 0)) throw EUsageError("--floor must be 0 or more");
    } else if (option == "--accept-at") {
      command.acceptAt = finiteOption(value, option);
      if (!(command.acceptAt >= 0 && command.acceptAt <= 1)) {
        throw EUsageError("--accept-at must be from 0 to 1");
      }
    } else if (option == "--refused-as-0") {
      command.refusedAsZero = true;
    }
  }
  if (forms > 1) throw EUsageError("give --cms or --kattis, not both");
  if (forms == 0 && !namedChecker) throw EUsageError("give --cms or --kattis");
  const bool cms = command.form == TJudgeCommand::kCms;
  const std::vector<std::string>& paths = split.positional;
  if (paths.size() < 3) {
    throw EUsageError(cms ? "give INPUT, REFERENCE and CONTESTANT"
                          : "give INPUT, REFERENCE and FEEDBACK_DIR");
  }
  // CMS's BatchAndOutput task type names the kind of output after the paths.
  const std::size_t taken =
      cms && paths.size() > 3 && (paths[3] == "outputonly" || paths[3] == "batch") ? 4 : 3;
  if (paths.size() > taken) {
    throw EUsageError("unexpected argument '" + paths[taken] + "'" +
                      (cms ? ": after the paths, CMS passes only outputonly or batch" : ""));
  }
  command.inputPath = paths[0];
  command.referencePath = paths[1];
  (cms ? command.contestantPath : command.feedbackDir) = paths[2];
  return command;
}

// The contestant's score, and what the contestant and the judges are told.
struct TJudgement {
  bool refused = false;
  double score = 0;
  std::string teamMessage;
  std::string judgeMessage;
};

TJudgement judge(const TJudgeCommand& command, const TInputFile& contestantFile) {
  const std::vector<TTestCase> testCases = loadInput(command.inputPath);
  const TStanding reference =
      readReference({"reference", command.referencePath}, testCases, false).standing;
  TJudgement judgement;
  TStanding contestant(static_cast<int>(testCases.size()), false);
  try {
    contestant = readStanding(contestantFile, testCases, false).standing;
  } catch (const ERefusedFile& refused) {
    judgement.refused = true;
    judgement.teamMessage = refused.errorLine;
    judgement.judgeMessage = "the evaluator refuses the submission: " + refused.errorLine + "\n";
    return judgement;
  }
  const std::vector<double> yardsticks = yardsticksOf(reference.costs(), command.floor);
  const TScore score = scoreAgainst(contestant, yardsticks);
  TCaseColumn referenceCosts{"reference", {}}, yardstickColumn{"yardstick", {}},
      contestantCosts{"contestant", {}}, caseScores{"score", {}};
  for (const TTestCase& testCase : testCases) {
    referenceCosts.cells.push_back(costCell(reference.cost(testCase.number)));
    yardstickColumn.cells.push_back(costCell(yardsticks[testCase.number - 1]));
    contestantCosts.cells.push_back(costCell(contestant.cost(testCase.number)));
    caseScores.cells.push_back(fixedDecimal(score.cases[testCase.number - 1], 6));
  }
  judgement.score = score.total;
  judgement.teamMessage = "Ocena " + fixedDecimal(judgement.score, 6) + ": odgovorjenih " +
                          std::to_string(contestant.answered()) + " od " +
                          std::to_string(testCases.size()) + " testnih primerov.";
  judgement.judgeMessage =
      caseTable({referenceCosts, yardstickColumn, contestantCosts, caseScores}) + "score " +
      shortestDecimal(judgement.score) + " (floor " + shortestDecimal(command.floor) + ")\n";
  return judgement;
}

// A file of Kattis's feedback folder, its text made safe for the judge system.
void writeFeedback(const std::string& folder, const char* name, const std::string& text) {
  TOutput((std::filesystem::path(folder) / name).string(), nullptr, {}).write(printable(text));
}

int runJudge(const TJudgeCommand& command, std::FILE* in, std::FILE* out, std::FILE* err) {
  if (command.form == TJudgeCommand::kCms) {
    const TJudgement judgement = judge(command, {"submission", command.contestantPath});
    std::fprintf(out, "%s\n", shortestDecimal(judgement.score).c_str());
    std::fprintf(err, "%s\n", printable(judgement.teamMessage).c_str());
    return kToolExitOk;
  }
  const TJudgement judgement = judge(command, {"submission", "standard input", in});
  writeFeedback(command.feedbackDir, "score.txt", shortestDecimal(judgement.score) + "\n");
  writeFeedback(command.feedbackDir, "teammessage.txt", judgement.teamMessage + "\n");
  writeFeedback(command.feedbackDir, "judgemessage.txt", judgement.judgeMessage);
  const bool accepted = !judgement.refused || command.refusedAsZero;
  return accepted && judgement.score >= command.acceptAt ? kKattisAccepted : kKattisWrongAnswer;
}

}  // namespace

int runJudgeCommandLine(const std::string& programName, const std::vector<std::string>& args,
                        std::FILE* in, std::FILE* out, std::FILE* err) {
  static const std::string usage = judgeUsage();
  const TToolText tool = {
      "Tql25Mirvasta-judge",
      usage.c_str(),
      {{kToolExitOk, "CMS: scored"},
       {kToolExitRefusedFile,
        "the evaluator refuses the input or the reference, or the reference leaves out a case"},
       {kToolExitUsage, "a bad option, or a file that cannot be read or written"},
       {kToolExitWrongArithmetic, "this build's costs would be wrong"},
       {kToolExitUnexpected, "an unexpected error"},
       {kKattisAccepted, "Kattis: scored"},
       {kKattisWrongAnswer,
        "Kattis: the evaluator refuses the submission (scored 0), or it scores less than "
        "--accept-at"}}};
  std::string feedbackDir, failure;
  const int rc = runTool(
      tool, args, out, err,
      [&] {
        const TJudgeCommand command = parseJudgeCommand(programName, args);
        feedbackDir = command.feedbackDir;
        return runJudge(command, in, out, err);
      },
      &failure);
  // Kattis shows the judges only the feedback folder: a judge error's
  // reason goes there too.
  if (!failure.empty() && !feedbackDir.empty()) {
    try {
      writeFeedback(feedbackDir, "judgemessage.txt", "Tql25Mirvasta-judge: " + failure + "\n");
    } catch (const EFileError&) {
      // Standard error has it already.
    }
  }
  return rc;
}
