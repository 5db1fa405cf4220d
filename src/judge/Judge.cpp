#include "judge/Judge.h"

#include <filesystem>

#include "base/Format.h"
#include "run/Report.h"
#include "toolkit/BestOf.h"
#include "toolkit/CommandLine.h"
#include "toolkit/Files.h"

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
  std::string inputPath, referencePath, third;
  double floor = 0;
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
  command.third = split.positional[2];
  return command;
}

std::string readStream(std::FILE* in) {
  std::string bytes;
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, in)) > 0;)
    bytes.append(block, got);
  if (std::ferror(in)) throw EFileError("cannot read standard input");
  return bytes;
}

// A submission's least cost per case, or the evaluator's error line.
struct TScored {
  std::string refused;
  TBestOf best;
};

TScored score(const std::string& bytes, const std::vector<TTestCase>& testCases) {
  TScored scored{"", TBestOf(testCases, 1)};
  try {
    loadSubmission(bytes, testCases, [&scored](const TResitev& resitev, const Rezultat& rezultat) {
      scored.best.add(0, resitev, rezultat);
    });
  } catch (const ERefusedFile& refused) {
    scored.refused = refused.what();
  }
  return scored;
}

// The contestant's score, and what the contestant and the judges are told.
struct TJudgement {
  bool refused = false;
  double score = 0;
  std::string teamMessage;
  std::string judgeMessage;
};

TJudgement judge(const TJudgeCommand& command, const std::string& contestantBytes) {
  const std::vector<TTestCase> testCases = loadInput(command.inputPath);
  const TScored reference = score(readFileBytes(command.referencePath), testCases);
  if (!reference.refused.empty()) {
    throw ERefusedFile("the reference '" + command.referencePath +
                       "' is refused: " + reference.refused);
  }
  for (const TTestCase& testCase : testCases) {
    if (reference.best.winner(testCase.number) < 0) {
      throw ERefusedFile("the reference '" + command.referencePath + "' does not answer case " +
                         std::to_string(testCase.number));
    }
  }
  TJudgement judgement;
  const TScored contestant = score(contestantBytes, testCases);
  if (!contestant.refused.empty()) {
    judgement.refused = true;
    judgement.teamMessage = contestant.refused;
    judgement.judgeMessage = "the evaluator refuses the submission: " + contestant.refused + "\n";
    return judgement;
  }
  double sum = 0;
  int answered = 0;
  judgement.judgeMessage = "case  reference                   contestant                  score\n";
  for (const TTestCase& testCase : testCases) {
    const double yardstick = std::max(reference.best.cost(0, testCase.number), command.floor);
    const double cena = contestant.best.cost(0, testCase.number);
    const double caseValue = cena < 0 ? 0.0 : caseScore(cena, yardstick);
    sum += caseValue;
    answered += cena < 0 ? 0 : 1;
    char line[160];
    std::snprintf(line, sizeof line, "%-5d %-27s %-27s %s\n", testCase.number,
                  costInReport(reference.best.cost(0, testCase.number)).c_str(),
                  cena < 0 ? "-" : costInReport(cena).c_str(), fixedDecimal(caseValue, 6).c_str());
    judgement.judgeMessage += line;
  }
  judgement.score = sum / static_cast<double>(testCases.size());
  judgement.teamMessage = "Ocena " + fixedDecimal(judgement.score, 6) + ": odgovorjenih " +
                          std::to_string(answered) + " od " + std::to_string(testCases.size()) +
                          " testnih primerov.";
  judgement.judgeMessage += "score " + shortestDecimal(judgement.score) + "\n";
  return judgement;
}

void writeFeedback(const std::string& folder, const char* name, const std::string& text) {
  TOutput((std::filesystem::path(folder) / name).string(), nullptr, {}).write(text);
}

int runJudge(const TJudgeCommand& command, std::FILE* in, std::FILE* out, std::FILE* err) {
  if (command.form == TJudgeCommand::kCms) {
    const TJudgement judgement = judge(command, readFileBytes(command.third));
    std::fprintf(out, "%s\n", shortestDecimal(judgement.score).c_str());
    std::fprintf(err, "%s\n", judgement.teamMessage.c_str());
    return kToolExitOk;
  }
  const TJudgement judgement = judge(command, readStream(in));
  writeFeedback(command.third, "score.txt", shortestDecimal(judgement.score) + "\n");
  writeFeedback(command.third, "teammessage.txt", judgement.teamMessage + "\n");
  writeFeedback(command.third, "judgemessage.txt", judgement.judgeMessage);
  return judgement.refused ? kKattisWrongAnswer : kKattisAccepted;
}

}  // namespace

double caseScore(double cost, double yardstick) {
  return cost <= yardstick ? 1.0 : yardstick / cost;
}

int runJudgeCommandLine(const std::string& programName, const std::vector<std::string>& args,
                        std::FILE* in, std::FILE* out, std::FILE* err) {
  return runTool("Tql25Mirvasta-judge", kJudgeUsage, args, out, err,
                 [&] { return runJudge(parseJudgeCommand(programName, args), in, out, err); });
}
