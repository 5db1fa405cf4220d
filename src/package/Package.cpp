#include "package/Package.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "grading/Standing.h"
#include "grading/SubmissionText.h"
#include "package/Sources.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPackageUsage =
    "Usage: Tql25Mirvasta-package INPUT REFERENCE -o DIR [--floor F] [--cxx COMPILER]\n"
    "Writes the task as the judges import it, from its input file and a reference\n"
    "submission that answers every case (the optimiser's, or the merge tool's best):\n"
    "  DIR/kattis  a problem package in the Kattis format, which DOMjudge imports\n"
    "              too: scoring, with the judge's checker and an input validator as\n"
    "              one source file each and the scripts that build them\n"
    "  DIR/cms     a task folder for CMS's importer: output-only, with the checker\n"
    "              compiled, statically, with the floor in it\n"
    "Both hold the whole input as one test file, which contestants answer with one\n"
    "submission, as the evaluator grades it.\n"
    "  --floor F       the judge's least yardstick (default: the judge's own)\n"
    "  --cxx COMPILER  the C++17 compiler that builds CMS's checker (default c++)\n"
    "DIR must not be there; it is written beside it and renamed at the end.\n"
    "--help prints this, --version the version. Exit codes: 0 written; nothing\n"
    "written: 1 the input or the reference refused, or a reference that leaves out\n"
    "a case, 2 a bad option, a file that cannot be read or written, or a checker\n"
    "that does not compile, 3 a build whose costs would be wrong, 4 an unexpected\n"
    "error.\n";

struct TPackageCommand {
  std::string inputPath, referencePath, outDir;
  double floor = kDefaultFloor;
  std::string compiler = "c++";
};

TPackageCommand parsePackageCommand(const std::vector<std::string>& args) {
  const TArguments split = splitArguments(args, {"-o", "--floor", "--cxx"}, {});
  if (split.positional.size() != 2) throw EUsageError("give INPUT and REFERENCE");
  TPackageCommand command;
  command.inputPath = split.positional[0];
  command.referencePath = split.positional[1];
  for (const auto& [option, value] : split.options) {
    if (option == "-o") command.outDir = value;
    if (option == "--cxx") command.compiler = value;
    if (option == "--floor") {
      command.floor = finiteOption(value, option);
      if (!(command.floor >= 0)) throw EUsageError("--floor must be 0 or more");
    }
  }
  if (command.outDir.empty()) throw EUsageError("give the folder to write: -o DIR");
  return command;
}

void writeText(const fs::path& path, const std::string& text, bool executable = false) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (!file) throw EFileError("cannot write '" + path.string() + "'");
  if (executable) {
    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
  }
}

void copyFile(const std::string& from, const fs::path& to) {
  fs::create_directories(to.parent_path());
  std::error_code failed;
  fs::copy_file(from, to, failed);
  if (failed) throw EFileError("cannot copy '" + from + "': " + failed.message());
}

// A word for a shell: quoted, with its own quotes escaped.
std::string shellWord(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

const char* const kHeader = "# Written by Tql25Mirvasta-package; see the project's README.\n";

// The first case alone, and the reference's answer to it: the sample that
// contestants are shown.
void writeSample(const fs::path& folder, const TTestCase& first, const TSubmissionStanding& ref) {
  std::string input = kTaskName + "\n1\n\n1\n" + std::to_string(first.nCircles) + "\n";
  for (double r : first.radii) input += shortestDecimal(r) + "\n";
  writeText(folder / "1.in", input);
  writeText(folder / "1.ans",
            submissionHeader(ref.contestant) + caseBlock(1, ref.standing.placement(1)));
}

void writeKattis(const fs::path& folder, const TPackageCommand& command,
                 const std::vector<TTestCase>& testCases, const TSubmissionStanding& reference) {
  writeText(folder / "problem.yaml",
            std::string(kHeader) +
                "name: Mirvasta\n"
                "type: scoring\n"
                "validation: custom score\n"
                "validator_flags: --kattis --floor " +
                shortestDecimal(command.floor) + "\n");
  // The whole input is one secret test file, answered by one submission as
  // the evaluator grades it; its score is the judge's. The sample is shown,
  // and not scored: the flag that says so stays at the top, and would be an
  // error below it.
  writeText(folder / "data" / "testdata.yaml", std::string(kHeader) +
                                                   "on_reject: continue\n"
                                                   "grader_flags: ignore_sample\n");
  for (const char* group : {"sample", "secret"}) {
    writeText(folder / "data" / group / "testdata.yaml", "grader_flags: ''\n");
  }
  writeSample(folder / "data" / "sample", testCases[0], reference);
  copyFile(command.inputPath, folder / "data" / "secret" / "mirvasta.in");
  copyFile(command.referencePath, folder / "data" / "secret" / "mirvasta.ans");

  const fs::path checker = folder / "output_validators" / "mirvasta";
  writeText(checker / "Tql25Mirvasta-judge.cpp", judgeSource());
  writeText(checker / "build",
            "#!/bin/sh\n"
            "# The judge's checker, from its one source file; validator_flags give --kattis.\n"
            "exec ${CXX:-g++} -std=c++17 -O2 -o run Tql25Mirvasta-judge.cpp\n",
            true);
  const fs::path validator = folder / "input_validators" / "mirvasta";
  writeText(validator / "Tql25Mirvasta.cpp", evaluatorSource());
  writeText(validator / "build",
            "#!/bin/sh\n"
            "# The input validator: the evaluator, run on the input with a submission\n"
            "# that answers no case. Exit code 42 where it accepts the input, 43 with\n"
            "# its error line where it does not.\n"
            "${CXX:-g++} -std=c++17 -O2 -o evaluator Tql25Mirvasta.cpp || exit 1\n"
            "printf '000000\\nMirvasta\\n' > no-cases.txt\n"
            "cat > run <<'RUN'\n"
            "#!/bin/sh\n"
            "here=$(dirname \"$0\")\n"
            "report=$(mktemp) || exit 1\n"
            "\"$here/evaluator\" eval /dev/stdin \"$here/no-cases.txt\" \"$report\" > /dev/null\n"
            "if printf 'OK\\n0\\n' | cmp -s - \"$report\"; then rm -f \"$report\"; exit 42; fi\n"
            "head -n 1 \"$report\" >&2\n"
            "rm -f \"$report\"\n"
            "exit 43\n"
            "RUN\n"
            "chmod +x run\n",
            true);
  writeText(folder / "problem_statement" / "problem.en.tex",
            "\\problemname{Mirvasta}\n\n"
            "% A stub: the statement is the organisers' to write.\n"
            "Place the circles of each test case, their centres in the unit square, so\n"
            "that they overlap as little as possible.\n");
}

void writeCms(const fs::path& folder, const TPackageCommand& command,
              const fs::path& checkerSource) {
  writeText(folder / "task.yaml",
            std::string(kHeader) +
                "# The whole input is one test case, answered by one output file.\n"
                "name: mirvasta\n"
                "title: Mirvasta\n"
                "n_input: 1\n"
                "output_only: true\n"
                "public_testcases: all\n"
                "token_mode: disabled\n"
                "total_value: 100\n");
  copyFile(command.inputPath, folder / "input" / "input0.txt");
  copyFile(command.referencePath, folder / "output" / "output0.txt");
  // CMS takes no options for its checker: the floor is compiled in. Static,
  // so that it runs on a judge host whatever its C library.
  fs::create_directories(folder / "check");
  const std::string compile =
      shellWord(command.compiler) + " -std=c++17 -O2 -static -DMIRVASTA_DEFAULT_FLOOR=" +
      shortestDecimal(command.floor) + " -o " + shellWord((folder / "check" / "checker").string()) +
      " " + shellWord(checkerSource.string());
  const int status = std::system(compile.c_str());
  if (status != 0) {
    throw EFileError("cannot compile CMS's checker with '" + command.compiler +
                     "'; nothing was written");
  }
}

int package(const TPackageCommand& command, std::FILE* out) {
  if (fs::exists(command.outDir)) {
    throw EFileError("'" + command.outDir + "' is there already; nothing was written");
  }
  const std::vector<TTestCase> testCases = loadInput(command.inputPath);
  const TSubmissionStanding reference =
      readReference({"reference", command.referencePath}, testCases, true);

  // Written beside the folder, then renamed: a run that fails leaves none.
  fs::path scratch;
  for (int attempt = 0;; ++attempt) {
    scratch = command.outDir + ".tmp" + (attempt > 0 ? std::to_string(attempt) : "");
    std::error_code failed;
    if (fs::create_directories(scratch, failed)) break;
    if (failed || attempt == 100) {
      throw EFileError("cannot write '" + command.outDir + "': " + failed.message());
    }
  }
  try {
    writeKattis(scratch / "kattis", command, testCases, reference);
    writeCms(scratch / "cms", command,
             scratch / "kattis" / "output_validators" / "mirvasta" / "Tql25Mirvasta-judge.cpp");
    fs::rename(scratch, command.outDir);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    try {
      throw;
    } catch (const fs::filesystem_error& failed) {
      throw EFileError(std::string("cannot write the package: ") + failed.what());
    }
  }
  std::fprintf(out,
               "written: %s/kattis, a Kattis problem package, and %s/cms, a CMS task "
               "folder (floor %s)\n",
               command.outDir.c_str(), command.outDir.c_str(),
               shortestDecimal(command.floor).c_str());
  return kToolExitOk;
}

}  // namespace

int runPackageCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return runTool("Tql25Mirvasta-package", kPackageUsage, args, out, err,
                 [&] { return package(parsePackageCommand(args), out); });
}
