#include "merge/Merge.h"

#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "grading/BestOf.h"
#include "grading/Standing.h"

namespace {

constexpr const char* kMergeUsage =
    "Usage: Tql25Mirvasta-merge INPUT SUBMISSION... -o BEST [--contestant NNNNNN]\n"
    "Writes to BEST one submission that holds, for every case of INPUT that one of the\n"
    "SUBMISSIONs answers, the placement of least cost among them (the first given on\n"
    "equal costs), and prints a table of each submission's cost per case and the\n"
    "winner: on standard output, or on standard error where BEST is -, standard\n"
    "output. Each submission is checked as the evaluator checks it; one it refuses,\n"
    "or one that cannot be read, is named with the reason and left out.\n"
    "  -o BEST              the merged submission; never one of the files read\n"
    "  --contestant NNNNNN  its contestant's six digits (default: those of the first\n"
    "                       submission taken)\n"
    "--help prints this, --version the version.\n";

// Each submission's column and the winner's, with every cost as the report
// prints it.
std::string table(const std::vector<std::string>& paths, const std::vector<int>& taken,
                  const TBestOf& best) {
  std::string listing;
  std::size_t next = 0;
  for (std::size_t s = 0; s < paths.size(); ++s) {
    const bool left = next == taken.size() || taken[next] != static_cast<int>(s);
    if (!left) ++next;
    listing += std::to_string(s + 1) + ": " + paths[s] + (left ? " (left out)" : "") + "\n";
  }
  std::vector<TCaseColumn> columns;
  TCaseColumn winners{"best", {}};
  for (std::size_t t = 0; t < taken.size(); ++t) {
    columns.push_back({std::to_string(taken[t] + 1), {}});
  }
  const int cases = best.columns() > 0 ? best.column(0).cases() : 0;
  for (int caseNo = 1; caseNo <= cases; ++caseNo) {
    for (std::size_t t = 0; t < taken.size(); ++t) {
      columns[t].cells.push_back(costCell(best.column(static_cast<int>(t)).cost(caseNo)));
    }
    const int winner = best.winner(caseNo);
    winners.cells.push_back(winner < 0 ? "-" : std::to_string(taken[winner] + 1));
  }
  columns.push_back(winners);
  return listing + caseTable(columns);
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
  const std::vector<std::string> paths(split.positional.begin() + 1, split.positional.end());
  std::vector<TInputFile> inputs = {{"input", split.positional[0]}};
  for (const std::string& path : paths) inputs.push_back({"submission", path});
  TOutput output(outPath, out, inputs);
  const std::vector<TTestCase> testCases = loadInput(split.positional[0]);

  // A submission's blocks are kept apart until the evaluator has accepted
  // the whole of it; only each case's best placement is held.
  TBestOf best(testCases);
  std::vector<int> taken;
  for (std::size_t s = 0; s < paths.size(); ++s) {
    try {
      const TSubmissionStanding read = readStanding(inputs[s + 1], testCases, true);
      best.add(read.standing);
      if (contestant.empty()) contestant = read.contestant;
      taken.push_back(static_cast<int>(s));
    } catch (const ERefusedFile& refused) {
      printDiagnostic(err, "Tql25Mirvasta-merge", refused.what());
    } catch (const EFileError& unreadable) {
      printDiagnostic(err, "Tql25Mirvasta-merge", unreadable.what());
    }
  }
  if (taken.empty()) {
    throw ERefusedFile("no submission could be taken; nothing was written", "");
  }
  std::fputs(table(paths, taken, best).c_str(), outPath == "-" ? err : out);
  best.write(output.begin(), contestant);
  output.finish();
  return taken.size() == paths.size() ? kToolExitOk : kToolExitPartial;
}

}  // namespace

int runMergeCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const TToolText tool = {
      "Tql25Mirvasta-merge",
      kMergeUsage,
      {{kToolExitOk, "BEST written from every submission"},
       {kToolExitRefusedFile,
        "the evaluator refuses the input, or every submission is left out; nothing written"},
       {kToolExitPartial, "BEST written, one submission or more left out"}}};
  return runTool(tool, args, out, err, [&] { return merge(args, out, err); });
}
