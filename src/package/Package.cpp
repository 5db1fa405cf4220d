#include "package/Package.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "document/Latex.h"
#include "document/Pdf.h"
#include "grading/Standing.h"
#include "grading/SubmissionText.h"
#include "package/Sources.h"
#include "package/Statement.h"
#include "scoring/Cost.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPackageUsage =
    "Usage: Tql25Mirvasta-package INPUT REFERENCE -o DIR [--floor F] [--cxx COMPILER]\n"
    "                             [--statement LANG=FILE.pdf]...\n"
    "Writes the task as the judges import it, from its input file and a reference\n"
    "submission that answers every case (the optimiser's, or the merge tool's best):\n"
    "  DIR/kattis  a problem package in the Kattis format, which DOMjudge imports\n"
    "              too: scoring, with the judge's checker and an input validator as\n"
    "              one source file each and the scripts that build them\n"
    "  DIR/cms     a task folder for CMS's importer: output-only, with the checker\n"
    "              compiled, statically, with the floor in it\n"
    "Both hold the whole input as one test file, which contestants answer with one\n"
    "submission, as the evaluator grades it, and get as an attachment; a statement\n"
    "in Slovenian and English; and a small sample case of their own.\n"
    "  --floor F                 the judge's least yardstick (default: the judge's own)\n"
    "  --cxx COMPILER            the C++17 compiler that builds CMS's checker (default c++)\n"
    "  --statement LANG=FILE.pdf CMS's statement in language LANG (sl, en, hr, it, ...):\n"
    "                            the organisers' own PDF instead of the one written here\n"
    "DIR must not be there; it is written beside it and renamed at the end.\n"
    "--help prints this, --version the version.\n";

// The languages whose statements CMS's importer finds by their names.
struct TLanguage {
  const char* code;
  const char* cmsName;
};
const TLanguage kLanguages[] = {
    {"sl", "slovene"},   {"en", "english"},    {"hr", "croatian"}, {"sr", "serbian"},
    {"bs", "bosnian"},   {"mk", "macedonian"}, {"it", "italian"},  {"de", "german"},
    {"hu", "hungarian"}, {"fr", "french"},     {"es", "spanish"},  {"pl", "polish"},
    {"cs", "czech"},     {"sk", "slovak"},     {"ru", "russian"},  {"uk", "ukrainian"},
};
// The languages the package writes statements in, the primary first.
const char* const kWritten[] = {"sl", "en"};

const char* cmsName(const std::string& code) {
  for (const TLanguage& language : kLanguages) {
    if (code == language.code) return language.cmsName;
  }
  return nullptr;
}

struct TPackageCommand {
  std::string inputPath, referencePath, outDir;
  double floor = kDefaultFloor;
  std::string compiler = "c++";
  std::vector<std::pair<std::string, std::string>> statements;  // Language, PDF.
};

TPackageCommand parsePackageCommand(const std::vector<std::string>& args) {
  const TArguments split = splitArguments(args, {"-o", "--floor", "--cxx", "--statement"}, {});
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
    if (option == "--statement") {
      const std::size_t equals = value.find('=');
      const std::string language = value.substr(0, equals);
      if (equals == std::string::npos || cmsName(language) == nullptr) {
        throw EUsageError(
            "--statement needs LANG=FILE.pdf with a language CMS knows (sl, en, "
            "hr, ...), not \"" +
            value + "\"");
      }
      for (const auto& given : command.statements) {
        if (given.first == language) throw EUsageError("--statement " + language + " twice");
      }
      command.statements.emplace_back(language, value.substr(equals + 1));
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
// The input file as contestants get it, beside the statement.
const char* const kAttachmentName = "mirvasta.txt";

// The sample: a case of its own, answered by a simple placement, so that it
// shows the formats and gives nothing away. Of these, the first that is none
// of the input's cases and whose placement is none of the reference's.
struct TSample {
  std::vector<double> radii;
  std::vector<Tocka> centres;
};
const TSample kSamples[] = {
    {{0.3, 0.25, 0.2, 0.15, 0.1},
     {{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}, {0.5, 0.5}}},
    {{0.35, 0.3, 0.25, 0.2}, {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}}},
};

struct TSampleFiles {
  std::string input, answer;
  double cost;
};

bool samePlacement(const std::vector<Tocka>& a, const std::vector<Tocka>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  }
  return true;
}

TSampleFiles sampleFor(const std::vector<TTestCase>& testCases, const TStanding& reference) {
  for (const TSample& sample : kSamples) {
    bool used = false;
    for (const TTestCase& testCase : testCases) {
      used = used || testCase.radii == sample.radii ||
             samePlacement(reference.placement(testCase.number), sample.centres);
    }
    if (used) continue;
    std::string input = kTaskName + "\n1\n\n1\n" + std::to_string(sample.radii.size()) + "\n";
    for (double r : sample.radii) input += shortestDecimal(r) + "\n";
    return {input, submissionHeader("000000") + caseBlock(1, sample.centres),
            placementCost(sample.radii, sample.centres)};
  }
  // No input holds both, and no reference places a case as both do.
  throw std::logic_error("no sample left");
}

// Room for a program that prints the reference, with its digits written
// otherwise, twice over; never less than the format's default, 128 KiB.
int codeLimitKiB(std::uintmax_t referenceBytes) {
  const int needed = 2 * static_cast<int>((referenceBytes + 1023) / 1024) + 64;
  return needed > 128 ? needed : 128;
}

void writeKattis(const fs::path& folder, const TPackageCommand& command,
                 const TStatementFacts& facts) {
  writeText(folder / "problem.yaml", std::string(kHeader) +
                                         "name: Mirvasta\n"
                                         "type: scoring\n"
                                         "validation: custom score\n"
                                         "validator_flags: --kattis --floor " +
                                         shortestDecimal(command.floor) +
                                         "\n"
                                         "limits:\n"
                                         "  code: " +
                                         std::to_string(facts.codeLimitKiB) + "\n");
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
  writeText(folder / "data" / "sample" / "1.in", facts.sampleInput);
  writeText(folder / "data" / "sample" / "1.ans", facts.sampleAnswer);
  copyFile(command.inputPath, folder / "data" / "secret" / "mirvasta.in");
  copyFile(command.referencePath, folder / "data" / "secret" / "mirvasta.ans");
  copyFile(command.inputPath, folder / "attachments" / kAttachmentName);

  // The format's tools render these, and show the sample's files after them;
  // DOMjudge shows problem.pdf.
  TStatementFacts kattis = facts;
  kattis.showSampleFiles = false;
  std::vector<TDocument> both;
  for (const char* language : kWritten) {
    writeText(folder / "problem_statement" / ("problem." + std::string(language) + ".tex"),
              latexOf(statementOf(language, kattis)));
    both.push_back(statementOf(language, facts));
  }
  writeText(folder / "problem.pdf", pdfOf(both));

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
}

// CMS shows its score with two decimals of a point, the judge's to 1e-4; the
// best of a contestant's submissions counts.
void writeCms(const fs::path& folder, const TPackageCommand& command, const TStatementFacts& facts,
              const fs::path& checkerSource) {
  writeText(folder / "task.yaml",
            std::string(kHeader) +
                "# The whole input is one test case, answered by one output file.\n"
                "name: mirvasta\n"
                "title: Mirvasta\n"
                "primary_language: sl\n"
                "n_input: 1\n"
                "output_only: true\n"
                "public_testcases: all\n"
                "score_mode: max\n"
                "score_precision: 2\n"
                "token_mode: disabled\n"
                "total_value: 100\n");
  copyFile(command.inputPath, folder / "input" / "input0.txt");
  copyFile(command.referencePath, folder / "output" / "output0.txt");
  copyFile(command.inputPath, folder / "att" / kAttachmentName);
  for (const char* language : kWritten) {
    writeText(folder / "statement" / (std::string(cmsName(language)) + ".pdf"),
              pdfOf({statementOf(language, facts)}));
  }
  for (const auto& [language, pdf] : command.statements) {
    const fs::path to = folder / "statement" / (std::string(cmsName(language)) + ".pdf");
    fs::remove(to);
    copyFile(pdf, to);
  }
  // CMS takes no options for its checker: the floor is compiled in. Static:
  // CMS runs it in a sandbox that holds no C library.
  fs::create_directories(folder / "check");
  const std::string compile =
      shellWord(command.compiler) +
      " -std=c++17 -O2 -static -DMIRVASTA_DEFAULT_FLOOR=" + shortestDecimal(command.floor) +
      " -o " + shellWord((folder / "check" / "checker").string()) + " " +
      shellWord(checkerSource.string());
  if (std::system(compile.c_str()) != 0) {
    throw EFileError("cannot compile CMS's checker statically with '" + command.compiler +
                     "' (CMS runs it without a C library, so it needs a static one, such as "
                     "Debian's libc6-dev gives); nothing was written");
  }
}

// An organiser's statement: a PDF file that can be read.
void checkStatement(const std::string& language, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[5] = {};
  if (!file.read(magic, 5)) throw EFileError("cannot read '" + path + "'");
  if (std::string(magic, 5) != "%PDF-") {
    throw EUsageError("--statement " + language + "=" + path + ": not a PDF file");
  }
}

int package(const TPackageCommand& command, std::FILE* out) {
  if (fs::exists(command.outDir)) {
    throw EFileError("'" + command.outDir + "' is there already; nothing was written");
  }
  for (const auto& [language, pdf] : command.statements) checkStatement(language, pdf);
  const std::vector<TTestCase> testCases = loadInput(command.inputPath);
  const TSubmissionStanding reference =
      readReference({"reference", command.referencePath}, testCases, true);
  const TSampleFiles sample = sampleFor(testCases, reference.standing);
  const std::uintmax_t referenceBytes = fs::file_size(command.referencePath);
  TStatementFacts facts;
  facts.codeLimitKiB = codeLimitKiB(referenceBytes);
  facts.floor = command.floor;
  facts.inputName = kAttachmentName;
  facts.submitName = "output_000.txt";
  facts.sampleInput = sample.input;
  facts.sampleAnswer = sample.answer;
  facts.sampleCost = sample.cost;

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
    TStatementFacts kattis = facts;
    kattis.program = true;
    writeKattis(scratch / "kattis", command, kattis);
    writeCms(scratch / "cms", command, facts,
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
               "written: %s/kattis, a Kattis problem package (programs up to %d KiB), and "
               "%s/cms, a CMS task folder (floor %s)\n",
               command.outDir.c_str(), facts.codeLimitKiB, command.outDir.c_str(),
               shortestDecimal(command.floor).c_str());
  // CMS's contest server refuses larger files unless its configuration says
  // otherwise; contestants' files are about as large as the reference.
  constexpr std::uintmax_t kCmsSubmissionLength = 100000;
  if (referenceBytes > kCmsSubmissionLength / 2) {
    std::fprintf(out,
                 "note: the reference has %ju bytes; CMS takes submissions of up to %ju bytes "
                 "unless max_submission_length in cms.toml (and nginx's client_max_body_size) "
                 "allow more: allow at least %ju\n",
                 referenceBytes, kCmsSubmissionLength, 2 * referenceBytes);
  }
  return kToolExitOk;
}

}  // namespace

int runPackageCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const TToolText tool = {
      "Tql25Mirvasta-package",
      kPackageUsage,
      {{kToolExitRefusedFile,
        "the evaluator refuses the input or the reference, or the reference leaves out a "
        "case; nothing written"},
       {kToolExitUsage,
        "a bad option, a file that cannot be read or written, or a checker that does not "
        "compile; nothing written"}}};
  return runTool(tool, args, out, err, [&] { return package(parsePackageCommand(args), out); });
}
