#include "judge/Judge.h"

#include <filesystem>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "grading/Standing.h"

namespace {

constexpr const char* kJudgeUsage =
    "Usage: Tql25Mirvasta-judge --cms INPUT REFERENCE CONTESTANT [--floor F]\n"
    "       Tql25Mirvasta-judge --kattis INPUT REFERENCE FEEDBACK_DIR [--floor F] < CONTESTANT\n"
    "Scores a contestant's submission against a reference submission (the optimiser's\n"
    "best, say), both checked as the evaluator checks them. Each case of INPUT scores\n"
    "1 where the contestant's cost is at most the yardstick, the reference's cost for\n"
    "the case, and otherwise yardstick / cost; a case left out scores 0, a case\n"
    "answered more than once counts with its least cost, and the score is the mean\n"
    "over INPUT's cases. A submission the evaluator refuses scores 0.\n"
    "  --floor F   the yardstick is at least F (default 0): costs of F or less score 1,\n"
    "              where a reference of cost 0 scores every other cost 0\n"
    "CMS (a program named checker takes this form without --cms): the score on\n"
    "standard output, one message for the contestant on standard error, exit code 0.\n"
    "Kattis (Kattis's validator_flags may give --kattis after the paths): exit code\n"
    "42 with the score in FEEDBACK_DIR/score.txt, or 43 for a refused submission;\n"
    "FEEDBACK_DIR/teammessage.txt for the team, judgemessage.txt for the judges.\n"
    "Judge errors, never a score: exit code 1 an input or reference the evaluator\n"
    "refuses, or a reference that leaves out a case; 2 a bad option or a file that\n"
    "cannot be read or written; 3 a build whose costs would be wrong; 4 an unexpected\n"
    "error. --help prints this, --version the version.\n";

struct TJudgeCommand {
  enum TForm { kCms, kKattis } form;
  std::string inputPath, referencePath;
  std::string contestantPath;  // CMS: the contestant's submission.
  std::string feedbackDir;     // Kattis: where the verdict's files go.
  double floor = kDefaultFloor;
};

TJudgeCommand parseJudgeCommand(const std::string& programName,
                                const std::vector<std::string>& args) {
  const TArguments split = splitArguments(args, {"--floor"}, {"--cms", "--kattis"});
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
    }
  }
  if (forms > 1) throw EUsageError("give --cms or --kattis, not both");
  if (forms == 0 && !namedChecker) throw EUsageError("give --cms or --kattis");
  if (split.positional.size() != 3) {
    throw EUsageError(command.form == TJudgeCommand::kCms
                          ? "give INPUT, REFERENCE and CONTESTANT"
                          : "give INPUT, REFERENCE and FEEDBACK_DIR");
  }
  command.inputPath = split.positional[0];
  command.referencePath = split.positional[1];
  (command.form == TJudgeCommand::kCms ? command.contestantPath : command.feedbackDir) =
      split.positional[2];
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
  const TInputFile referenceFile{"reference", command.referencePath};
  const TStanding reference = readStanding(referenceFile, testCases, false).standing;
  for (const TTestCase& testCase : testCases) {
    if (!reference.answers(testCase.number)) {
      throw ERefusedFile("reference '" + command.referencePath + "' leaves out case " +
                             std::to_string(testCase.number),
                         "");
    }
  }
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
  TCaseColumn referenceCosts{"reference", {}}, contestantCosts{"contestant", {}},
      caseScores{"score", {}};
  for (const TTestCase& testCase : testCases) {
    referenceCosts.cells.push_back(costCell(reference.cost(testCase.number)));
    contestantCosts.cells.push_back(costCell(contestant.cost(testCase.number)));
    caseScores.cells.push_back(fixedDecimal(score.cases[testCase.number - 1], 6));
  }
  judgement.score = score.total;
  judgement.teamMessage = "Ocena " + fixedDecimal(judgement.score, 6) + ": odgovorjenih " +
                          std::to_string(contestant.answered()) + " od " +
                          std::to_string(testCases.size()) + " testnih primerov.";
  judgement.judgeMessage = caseTable({referenceCosts, contestantCosts, caseScores}) + "score " +
                           shortestDecimal(judgement.score) + "\n";
  return judgement;
}

void writeFeedback(const std::string& folder, const char* name, const std::string& text) {
  TOutput((std::filesystem::path(folder) / name).string(), nullptr, {}).write(text);
}

int runJudge(const TJudgeCommand& command, std::FILE* in, std::FILE* out, std::FILE* err) {
  if (command.form == TJudgeCommand::kCms) {
    const TJudgement judgement = judge(command, {"submission", command.contestantPath});
    std::fprintf(out, "%s\n", shortestDecimal(judgement.score).c_str());
    std::fprintf(err, "%s\n", judgement.teamMessage.c_str());
    return kToolExitOk;
  }
  const TJudgement judgement = judge(command, {"submission", "standard input", in});
  writeFeedback(command.feedbackDir, "score.txt", shortestDecimal(judgement.score) + "\n");
  writeFeedback(command.feedbackDir, "teammessage.txt", judgement.teamMessage + "\n");
  writeFeedback(command.feedbackDir, "judgemessage.txt", judgement.judgeMessage);
  return judgement.refused ? kKattisWrongAnswer : kKattisAccepted;
}

}  // namespace

int runJudgeCommandLine(const std::string& programName, const std::vector<std::string>& args,
                        std::FILE* in, std::FILE* out, std::FILE* err) {
  return runTool("Tql25Mirvasta-judge", kJudgeUsage, args, out, err,
                 [&] { return runJudge(parseJudgeCommand(programName, args), in, out, err); });
}
