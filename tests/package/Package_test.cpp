#include "package/Package.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/Format.h"
#include "grading/Standing.h"
#include "support/Process.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace fs = std::filesystem;

namespace {

const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n1\n0.5\n";
const std::string kReference = "100000\nMirvasta\n2\n0.5 0.5\n1\n0.3 0.5\n0.7 0.5\n";
// Its case 1 costs 0.0559, more than the reference's 0.0204, and less than
// the floor of 0.5 that the package is given.
const std::string kWorse = "200000\nMirvasta\n2\n0.5 0.5\n1\n0.35 0.5\n0.65 0.5\n";

// The sample the package shows where nothing stands in its way.
const std::string kSampleInput = "Mirvasta\n1\n\n1\n5\n0.3\n0.25\n0.2\n0.15\n0.1\n";
const std::string kSampleAnswer =
    "000000\nMirvasta\n1\n0.25 0.25\n0.75 0.25\n0.25 0.75\n0.75 0.75\n0.5 0.5\n";

// A package written in a fresh folder, from an input and a reference.
struct TPackaged {
  TTempFile input, reference;
  std::string dir;
  TRunResult result;
  TPackaged(const std::string& inputText, const std::string& referenceText,
            std::vector<std::string> options = {"--cxx", "true"})
      : input(inputText), reference(referenceText) {
    dir = (fs::path(input.path()).parent_path() / "package").string();
    std::vector<std::string> args = {input.path(), reference.path(), "-o", dir};
    args.insert(args.end(), options.begin(), options.end());
    result = runMain(runPackageCommandLine, args);
  }
  std::string file(const std::string& name) const { return readFile(dir + "/" + name); }
};

// The text a PDF reader extracts from a file of the package.
std::string pdfText(const std::string& path) {
  TProcess reader({PDFTOTEXT_PATH, "-enc", "UTF-8", path, "-"});
  EXPECT_EQ(0, reader.wait()) << reader.err();
  return reader.out();
}

// Whether an ELF executable asks for a dynamic loader (a PT_INTERP header).
bool asksForALoader(const std::string& elf) {
  if (elf.size() < 64 || elf.compare(0, 4,
                                     "\x7f"
                                     "ELF") != 0)
    return true;
  std::uint64_t tableAt = 0;
  std::uint16_t entrySize = 0, entries = 0;
  std::memcpy(&tableAt, elf.data() + 32, 8);
  std::memcpy(&entrySize, elf.data() + 54, 2);
  std::memcpy(&entries, elf.data() + 56, 2);
  for (std::uint16_t k = 0; k < entries; ++k) {
    std::uint32_t type = 0;
    std::memcpy(&type, elf.data() + tableAt + k * entrySize, 4);
    if (type == 3) return true;
  }
  return false;
}

// The package as the judges use it: each validator built by its own script
// and run as Kattis runs it, CMS's checker run as CMS runs it.
TEST(Package, WritesWhatTheJudgesRunAsTheyRunIt) {
  const TPackaged packaged(kInput, kReference, {"--floor", "0.5"});
  ASSERT_EQ(0, packaged.result.rc) << packaged.result.err;
  const std::string& dir = packaged.dir;
  EXPECT_EQ(kInput, packaged.file("kattis/data/secret/mirvasta.in"));
  EXPECT_EQ(kReference, packaged.file("kattis/data/secret/mirvasta.ans"));
  EXPECT_EQ(kReference, packaged.file("cms/output/output0.txt"));
  // Contestants get the input beside the statement.
  EXPECT_EQ(kInput, packaged.file("kattis/attachments/mirvasta.txt"));
  EXPECT_EQ(kInput, packaged.file("cms/att/mirvasta.txt"));

  for (const char* validator : {"output_validators", "input_validators"}) {
    const std::string built = dir + "/kattis/" + validator + "/mirvasta";
    ASSERT_EQ(0, std::system(("cd '" + built + "' && ./build >/dev/null 2>&1").c_str()));
  }
  const std::string feedback = dir + "/feedback";
  fs::create_directory(feedback);
  TTempFile worse(kWorse);
  TProcess checker({dir + "/kattis/output_validators/mirvasta/run", packaged.input.path(),
                    packaged.reference.path(), feedback, "--kattis", "--floor", "0.5"},
                   worse.path());
  EXPECT_EQ(42, checker.wait()) << checker.err();
  EXPECT_EQ("1\n", readFile(feedback + "/score.txt"));
  const struct {
    std::string input;
    int rc;
  } inputs[] = {{kInput, 42}, {"Mirvasta\n2\n", 43}, {kInput + "x", 43}};
  for (const auto& c : inputs) {
    TTempFile file(c.input);
    TProcess validator({dir + "/kattis/input_validators/mirvasta/run"}, file.path());
    EXPECT_EQ(c.rc, validator.wait()) << c.input;
  }
  // CMS runs its checker in a sandbox that holds no C library.
  const std::string cmsChecker = dir + "/cms/check/checker";
  EXPECT_FALSE(asksForALoader(readFile(cmsChecker)));
  TProcess cms(
      {cmsChecker, dir + "/cms/input/input0.txt", dir + "/cms/output/output0.txt", worse.path()});
  EXPECT_EQ(0, cms.wait());
  EXPECT_EQ("1\n", cms.out());
}

// The judges' settings, as their importers read them: scored by the judge
// with its own floor unless given another, every test file judged after a
// refused one, the sample shown and never scored, CMS's task output-only
// with two decimals, and programs long enough to print the reference.
TEST(Package, WritesTheJudgesSettings) {
  const TPackaged packaged(kInput, kReference);
  ASSERT_EQ(0, packaged.result.rc) << packaged.result.err;
  const std::string header = "# Written by Tql25Mirvasta-package; see the project's README.\n";
  EXPECT_EQ(header +
                "name: Mirvasta\ntype: scoring\nvalidation: custom score\n"
                "validator_flags: --kattis --floor " +
                shortestDecimal(kDefaultFloor) + "\nlimits:\n  code: 128\n",
            packaged.file("kattis/problem.yaml"));
  EXPECT_EQ(header + "on_reject: continue\ngrader_flags: ignore_sample\n",
            packaged.file("kattis/data/testdata.yaml"));
  for (const char* group : {"sample", "secret"}) {
    EXPECT_EQ("grader_flags: ''\n",
              packaged.file("kattis/data/" + std::string(group) + "/testdata.yaml"));
  }
  EXPECT_EQ(header +
                "# The whole input is one test case, answered by one output file.\n"
                "name: mirvasta\ntitle: Mirvasta\nprimary_language: sl\nn_input: 1\n"
                "output_only: true\npublic_testcases: all\nscore_mode: max\n"
                "score_precision: 2\ntoken_mode: disabled\ntotal_value: 100\n",
            packaged.file("cms/task.yaml"));
  EXPECT_EQ("written: " + packaged.dir +
                "/kattis, a Kattis problem package (programs up to 128 "
                "KiB), and " +
                packaged.dir + "/cms, a CMS task folder (floor 1e-09)\n",
            packaged.result.out);
}

// Room for a program that prints the reference: twice its size and 64 KiB;
// CMS's contest server must be told to take files that large.
TEST(Package, FitsTheCodeLimitToTheReference) {
  std::string reference = "100000\nMirvasta\n";
  while (reference.size() < 300 * 1024) reference += "2\n0.5 0.5\n";
  const TPackaged packaged(kInput, reference + "1\n0.3 0.5\n0.7 0.5\n");
  ASSERT_EQ(0, packaged.result.rc) << packaged.result.err;
  const std::size_t kib = (packaged.reference.read().size() + 1023) / 1024;
  const std::string limit = std::to_string(2 * kib + 64);
  EXPECT_NE(std::string::npos, packaged.file("kattis/problem.yaml").find("code: " + limit + "\n"));
  EXPECT_NE(std::string::npos,
            packaged.file("kattis/problem_statement/problem.en.tex").find(limit + " KiB"));
  EXPECT_NE(std::string::npos, packaged.result.out.find("max_submission_length"));
}

// The sample is a case of its own with a simple placement: never one of
// the input's cases (a one-case input's sample is not its test file), never
// a block of the reference; and the evaluator accepts it.
TEST(Package, ItsSampleGivesNothingAway) {
  const std::string fiveCircles = "Mirvasta\n1\n\n1\n5\n0.3\n0.25\n0.2\n0.15\n0.11\n";
  const struct {
    const char* name;
    std::string input, reference;
  } cases[] = {
      {"any input", kInput, kReference},
      {"the sample's own case", kSampleInput,
       "000000\nMirvasta\n1\n0.1 0.1\n0.9 0.1\n0.1 0.9\n0.9 0.9\n0.5 0.5\n"},
      {"the sample's own placement", fiveCircles, kSampleAnswer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TPackaged packaged(c.input, c.reference);
    ASSERT_EQ(0, packaged.result.rc) << packaged.result.err;
    const std::string input = packaged.file("kattis/data/sample/1.in");
    const std::string answer = packaged.file("kattis/data/sample/1.ans");
    if (c.input == kInput) {
      EXPECT_EQ(kSampleInput, input);
      EXPECT_EQ(kSampleAnswer, answer);
    }
    EXPECT_NE(c.input, input);
    const std::string block = answer.substr(answer.find("\n1\n") + 1);
    EXPECT_EQ(std::string::npos, c.reference.find(block)) << block;
    EXPECT_EQ(0u, reportFor(input, answer).find("OK\n1\n1 ")) << reportFor(input, answer);
  }
}

// A statement in Slovenian and English for each judge: PDFs for CMS (an
// organiser's own where given) and DOMjudge, LaTeX for Kattis's tools.
TEST(Package, WritesAStatementInEachLanguage) {
  TTempFile own("%PDF-1.4 the organisers' own\n");
  const TPackaged packaged(kInput, kReference,
                           {"--cxx", "true", "--statement", "en=" + own.path()});
  ASSERT_EQ(0, packaged.result.rc) << packaged.result.err;
  const std::string slovene = pdfText(packaged.dir + "/cms/statement/slovene.pdf");
  for (const char* said : {"Naloga", "Oddaš datoteko z oddajo, v polje output_000.txt",
                           "mirvasta.txt", "1e-09", "krat 100 točk", "0.25 0.75"}) {
    EXPECT_NE(std::string::npos, slovene.find(said)) << said;
  }
  EXPECT_EQ(own.read(), packaged.file("cms/statement/english.pdf"));
  const std::string both = pdfText(packaged.dir + "/kattis/problem.pdf");
  for (const char* said : {"Naloga", "Task", "Oddaš program", "You submit a program", "128 KiB"}) {
    EXPECT_NE(std::string::npos, both.find(said)) << said;
  }
  for (const char* language : {"sl", "en"}) {
    const std::string tex =
        packaged.file("kattis/problem_statement/problem." + std::string(language) + ".tex");
    EXPECT_EQ(0u, tex.find("\\problemname{Mirvasta}\n")) << tex;
    // The format's tools show the sample's files themselves.
    EXPECT_EQ(std::string::npos, tex.find("verbatim")) << tex;
  }
}

// The folder is written whole or not at all, and never over one that is there.
TEST(Package, WritesNothingWhereItCannotWriteAll) {
  TTempFile input(kInput), reference(kReference), leavesOut("100000\nMirvasta\n2\n0.5 0.5\n"),
      notPdf("not a PDF\n");
  const std::string folder = fs::path(input.path()).parent_path().string();
  const std::string p = folder + "/p";
  const struct {
    std::vector<std::string> args;
    int rc;
    std::string err;  // Its first line.
  } cases[] = {
      {{input.path(), leavesOut.path(), "-o", p},
       1,
       "Tql25Mirvasta-package: reference '" + leavesOut.path() + "' leaves out case 1"},
      {{input.path(), reference.path(), "-o", folder},
       2,
       "Tql25Mirvasta-package: '" + folder + "' is there already; nothing was written"},
      {{input.path(), reference.path(), "-o", p, "--cxx", "/bin/false"},
       2,
       "Tql25Mirvasta-package: cannot compile CMS's checker statically with '/bin/false' (CMS "
       "runs it without a C library, so it needs a static one, such as Debian's libc6-dev "
       "gives); nothing was written"},
      {{input.path(), reference.path(), "-o", p, "--statement", "sl=" + notPdf.path()},
       2,
       "Tql25Mirvasta-package: --statement sl=" + notPdf.path() + ": not a PDF file"},
      {{input.path(), reference.path(), "-o", p, "--statement", "sl=" + folder + "/none.pdf"},
       2,
       "Tql25Mirvasta-package: cannot read '" + folder + "/none.pdf'"},
      {{input.path(), reference.path(), "-o", p, "--statement", "xx=" + notPdf.path()},
       2,
       "Tql25Mirvasta-package: --statement needs LANG=FILE.pdf with a language CMS knows (sl, "
       "en, hr, ...), not \"xx=" +
           notPdf.path() + "\""},
      {{input.path(), reference.path(), "-o", p, "--statement", "en"},
       2,
       "Tql25Mirvasta-package: --statement needs LANG=FILE.pdf with a language CMS knows (sl, "
       "en, hr, ...), not \"en\""},
      {{input.path(), reference.path(), "-o", p, "--statement", "en=a.pdf", "--statement",
        "en=b.pdf"},
       2,
       "Tql25Mirvasta-package: --statement en twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    const TRunResult result = runMain(runPackageCommandLine, c.args);
    EXPECT_EQ(c.rc, result.rc);
    EXPECT_EQ(c.err, result.err.substr(0, result.err.find('\n')));
    EXPECT_FALSE(fs::exists(p));
    EXPECT_FALSE(fs::exists(p + ".tmp"));
  }
}

}  // namespace
