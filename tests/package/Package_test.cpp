#include "package/Package.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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

// The package as the judges use it: each validator built by its own script
// and run as Kattis runs it, CMS's checker run as CMS runs it.
TEST(Package, WritesWhatTheJudgesRunAsTheyRunIt) {
  TTempFile input(kInput), reference(kReference), worse(kWorse);
  const fs::path folder = fs::path(input.path()).parent_path();
  const std::string dir = (folder / "package").string();
  const TRunResult packaged = runMain(runPackageCommandLine, {input.path(), reference.path(), "-o",
                                                              dir, "--floor", "0.5"});
  ASSERT_EQ(0, packaged.rc) << packaged.err;
  EXPECT_EQ("# Written by Tql25Mirvasta-package; see the project's README.\nname: Mirvasta\n"
            "type: scoring\nvalidation: custom score\nvalidator_flags: --kattis --floor 0.5\n",
            readFile(dir + "/kattis/problem.yaml"));
  EXPECT_EQ(kInput, readFile(dir + "/kattis/data/secret/mirvasta.in"));
  EXPECT_EQ("Mirvasta\n1\n\n1\n2\n0.25\n0.25\n", readFile(dir + "/kattis/data/sample/1.in"));
  EXPECT_EQ("100000\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n", readFile(dir + "/kattis/data/sample/1.ans"));
  EXPECT_EQ(kReference, readFile(dir + "/cms/output/output0.txt"));

  for (const char* validator : {"output_validators", "input_validators"}) {
    const std::string built = dir + "/kattis/" + validator + "/mirvasta";
    ASSERT_EQ(0, std::system(("cd '" + built + "' && ./build >/dev/null 2>&1").c_str()));
  }
  const std::string feedback = (folder / "feedback").string();
  fs::create_directory(feedback);
  TProcess checker({dir + "/kattis/output_validators/mirvasta/run", input.path(),
                    reference.path(), feedback, "--kattis", "--floor", "0.5"},
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
  TProcess cms({dir + "/cms/check/checker", dir + "/cms/input/input0.txt",
                dir + "/cms/output/output0.txt", worse.path(), "outputonly"});
  EXPECT_EQ(0, cms.wait());
  EXPECT_EQ("1\n", cms.out());
}

// The folder is written whole or not at all, and never over one that is there.
TEST(Package, WritesNothingWhereItCannotWriteAll) {
  TTempFile input(kInput), reference(kReference), leavesOut("100000\nMirvasta\n2\n0.5 0.5\n");
  const std::string folder = fs::path(input.path()).parent_path().string();
  const struct {
    std::vector<std::string> args;
    int rc;
    std::string err;
  } cases[] = {
      {{input.path(), leavesOut.path(), "-o", folder + "/p"}, 1,
       "Tql25Mirvasta-package: reference '" + leavesOut.path() + "' leaves out case 1\n"},
      {{input.path(), reference.path(), "-o", folder}, 2,
       "Tql25Mirvasta-package: '" + folder + "' is there already; nothing was written\n"},
      {{input.path(), reference.path(), "-o", folder + "/p", "--cxx", "/bin/false"}, 2,
       "Tql25Mirvasta-package: cannot compile CMS's checker with '/bin/false'; nothing was "
       "written\n"},
  };
  for (const auto& c : cases) {
    const TRunResult result = runMain(runPackageCommandLine, c.args);
    EXPECT_EQ(c.rc, result.rc);
    EXPECT_EQ(c.err, result.err);
    EXPECT_FALSE(fs::exists(folder + "/p"));
    EXPECT_FALSE(fs::exists(folder + "/p.tmp"));
  }
}

}  // namespace
