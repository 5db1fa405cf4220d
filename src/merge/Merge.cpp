#include "merge/Merge.h"

#include <algorithm>

#include "run/Report.h"
#include "text/TextModeBuf.h"
#include "toolkit/BestOf.h"
#include "toolkit/CommandLine.h"
#include "toolkit/Files.h"

namespace {

constexpr const char* kMergeUsage =
    "Usage: Tql25Mirvasta-merge INPUT SUBMISSION... -o BEST [--contestant NNNNNN]\n"
    "Writes to BEST one submission that holds, for every case of INPUT that one of the\n"
    "SUBMISSIONs answers, the placement of least cost among them (the first given on\n"
    "equal costs), and prints a table of each submission's cost per case and the\n"
    "winner: on standard output, or on standard error where BEST is -, standard\n"
    "output. Each submission is checked as the evaluator checks it; one it refuses,\n"
    "or one that cannot be read, is named with the reason and left out.\n"
    "  -o BEST              the merged submission\n"
    "  --contestant NNNNNN  its contestant's six digits (default: those of the first\n"
    "                       submission taken)\n"
    "--help prints this, --version the version. Exit codes: 0 every submission taken,\n"
    "1 the input or a submission refused by the evaluator, 2 a bad option or a file\n"
    "that cannot be read or written, 3 a build whose costs would be wrong, 4 an\n"
    "unexpected error. A submission left out gives 1 or 2, and BEST is still written\n"
    "from the others.\n";

// A submission's first line as the evaluator reads it: its contestant number.
std::string firstLine(const std::string& bytes) {
  TTextBytes text(bytes);
  std::string line;
  std::getline(text, line);
  return line;
}

// Each submission's column and the winner's, with every cost as the report
// prints it.
void printTable(std::FILE* table, const std::vector<std::string>& paths,
                const std::vector<int>& taken, const std::vector<TTestCase>& testCases,
                const TBestOf& best) {
  for (std::size_t s = 0; s < paths.size(); ++s) {
    const bool left = std::find(taken.begin(), taken.end(), static_cast<int>(s)) == taken.end();
    std::fprintf(table, "%zu: %s%s\n", s + 1, paths[s].c_str(), left ? " (left out)" : "");
  }
  std::fprintf(table, "%-5s", "case");
  for (int s : taken) std::fprintf(table, "  %-26d", s + 1);
  std::fprintf(table, "  best\n");
  for (const TTestCase& testCase : testCases) {
    std::fprintf(table, "%-5d", testCase.number);
    for (std::size_t t = 0; t < taken.size(); ++t) {
      const double cena = best.cost(static_cast<int>(t), testCase.number);
      std::fprintf(table, "  %-26s", cena < 0 ? "-" : costInReport(cena).c_str());
    }
    const int winner = best.winner(testCase.number);
    if (winner < 0) {
      std::fprintf(table, "  -\n");
    } else {
      std::fprintf(table, "  %d\n", taken[winner] + 1);
    }
  }
}

int merge(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const TArguments split = splitArguments(args, {"-o", "--contestant"}, {});
  std::string outPath, contestant;
  for (const auto& [option, value] : split.options) {
    if (option == "-o") outPath = value;
    if (option == "--contestant") contestant = contestantOption(value, option);
  }
  if (split.positional.size() < 2) throw EUsageError("give INPUT and one SUBMISSION or more");
  if (outPath.empty()) throw EUsageError("give the output: -o BEST");
  TOutput output(outPath, out, split.positional);
  const std::vector<TTestCase> testCases = loadInput(split.positional[0]);

  const std::vector<std::string> paths(split.positional.begin() + 1, split.positional.end());
  TBestOf best(testCases, static_cast<int>(paths.size()));
  std::vector<int> taken;
  int rc = kToolExitOk;
  for (std::size_t s = 0; s < paths.size(); ++s) {
    try {
      const std::string bytes = readFileBytes(paths[s]);
      TBestOf own(testCases, 1);
      loadSubmission(bytes, testCases, [&own](const TResitev& resitev, const Rezultat& rezultat) {
        own.add(0, resitev, rezultat);
      });
      best.add(static_cast<int>(taken.size()), own);
      if (contestant.empty()) contestant = firstLine(bytes);
      taken.push_back(static_cast<int>(s));
    } catch (const ERefusedFile& refused) {
      std::fprintf(err, "Tql25Mirvasta-merge: left out %s: %s\n", paths[s].c_str(), refused.what());
      if (rc == kToolExitOk) rc = kToolExitRefusedFile;
    } catch (const EFileError& unreadable) {
      std::fprintf(err, "Tql25Mirvasta-merge: left out %s: %s\n", paths[s].c_str(),
                   unreadable.what());
      rc = kToolExitUsage;
    }
  }
  if (taken.empty()) {
    std::fprintf(err, "Tql25Mirvasta-merge: no submission to take; nothing was written\n");
    return rc;
  }
  printTable(outPath == "-" ? err : out, paths, taken, testCases, best);
  output.write(best.text(contestant));
  return rc;
}

}  // namespace

int runMergeCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return runTool("Tql25Mirvasta-merge", kMergeUsage, args, out, err,
                 [&] { return merge(args, out, err); });
}
