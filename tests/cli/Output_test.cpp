#include "cli/Output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "merge/Merge.h"
#include "solve/Solver.h"
#include "support/Process.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace fs = std::filesystem;

namespace {

const std::string kInput = "Mirvasta\n1\n\n1\n1\n0.5\n";
const std::string kSubmission = "123456\nMirvasta\n1\n0.5 0.5\n";

std::size_t filesIn(const std::string& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// An output is proved writable without emptying what is there: a refused
// input leaves a file as it was, and no file where there was none.
TEST(Output, LeavesTheFileAsItWasWhenNothingIsWritten) {
  TTempFile existing("the best so far\n");
  const std::string created = existing.path() + ".new";
  for (const std::string& path : {existing.path(), created}) {
    TOutput output(path, stdout, {});
    // Half written when the work fails.
    std::fputs("the new", output.begin());
  }
  EXPECT_EQ("the best so far\n", existing.read());
  EXPECT_FALSE(fs::exists(created));
  // Through a link, the file it names is replaced, keeping its permissions.
  const std::string link = existing.path() + ".link";
  fs::create_symlink(existing.path(), link);
  fs::permissions(existing.path(), fs::perms::owner_read | fs::perms::owner_write);
  TOutput(link, stdout, {}).write("written\n");
  EXPECT_EQ("written\n", existing.read());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
            fs::status(existing.path()).permissions());
  // Nothing else is left in the folder.
  EXPECT_EQ(2u, filesIn(fs::path(link).parent_path()));
}

// One run at a time writes a file: a second fails at once, naming the lock
// the first holds, and leaves both the lock and the file alone.
TEST(Output, ASecondWriterFailsAtOnceNamingTheLock) {
  TTempFile file("the first\n");
  const std::string lock = file.path() + ".lock";
  {
    TOutput first(file.path(), stdout, {});
    std::fputs("the second", first.begin());
    const std::string said =
        "cannot write '" + file.path() + "': '" + lock + "' is held by another run writing it";
    try {
      TOutput second(file.path(), stdout, {});
      ADD_FAILURE() << "a second writer was let in";
    } catch (const EFileError& error) {
      EXPECT_EQ(said, error.what());
    }
    TTempFile input(kInput), submission(kSubmission);
    const TRunResult merged =
        runMain(runMergeCommandLine, {input.path(), submission.path(), "-o", file.path()});
    EXPECT_EQ(2, merged.rc);
    EXPECT_EQ("Tql25Mirvasta-merge: " + said + "\n", merged.err);
    EXPECT_TRUE(fs::exists(lock));
    first.finish();
  }
  EXPECT_EQ("the second", file.read());
  EXPECT_FALSE(fs::exists(lock));
}

// A lock left by a run that was killed outright is held by nobody: the next
// run takes it over, and nothing of what it held stays.
TEST(Output, TakesOverALockNobodyHolds) {
  TTempFile file("the first\n");
  writeFile(file.path() + ".lock", "a killed run's half placement, longer than the new one");
  TOutput(file.path(), stdout, {}).write("new\n");
  EXPECT_EQ("new\n", file.read());
  EXPECT_EQ(1u, filesIn(fs::path(file.path()).parent_path()));

  // The same after a real kill -9 of the optimiser, in the middle of its work.
  TTempFile input, out;
  std::string crowded = "Mirvasta\n1\n\n1\n30\n";
  for (int i = 0; i < 30; ++i) crowded += "0.3\n";
  writeFile(input.path(), crowded);
  TProcess solver(
      {programPath("Tql25Mirvasta-solve"), input.path(), "-o", out.path(), "--seconds", "100"});
  EXPECT_TRUE(solver.awaitErr("solving: 0 of 1 cases done", 30)) << solver.err();
  solver.signal(SIGKILL);
  EXPECT_EQ(128 + SIGKILL, solver.wait());
  EXPECT_TRUE(fs::exists(out.path() + ".lock"));
  const TRunResult again =
      runMain(runSolverCommandLine, {input.path(), "-o", out.path(), "--steps", "50"});
  EXPECT_EQ(0, again.rc) << again.err;
  EXPECT_EQ(0u, out.read().find("000000\nMirvasta\n1\n"));
  EXPECT_FALSE(fs::exists(out.path() + ".lock"));
}

// A rename that fails is a failure, said so, never a success; the lock goes.
TEST(Output, AFailedRenameIsAFailure) {
  TTempFile file;
  fs::remove(file.path());
  TOutput output(file.path(), stdout, {});
  std::fputs("placement", output.begin());
  fs::create_directories(file.path() + "/in-the-way");
  EXPECT_THROW(output.finish(), EFileError);
  EXPECT_TRUE(fs::is_directory(file.path() + "/in-the-way"));
}

// A pipe is opened once and written in place: its reader gets the whole
// output, and the tool ends.
TEST(Output, WritesAPipeInPlace) {
  TTempFile input(kInput);
  const std::string fifo = input.path() + ".fifo";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  TProcess reader({"/bin/cat", fifo});
  const TRunResult solved =
      runMain(runSolverCommandLine, {input.path(), "-o", fifo, "--steps", "10"});
  EXPECT_EQ(0, solved.rc) << solved.err;
  EXPECT_EQ(0, reader.wait());
  EXPECT_EQ("000000\nMirvasta\n1\n", reader.out().substr(0, 18));
  EXPECT_EQ(0u, reportFor(kInput, reader.out()).find("OK\n1\n"));
}

// A signal that ends a tool takes every lock file with it, however many
// outputs the tool has open.
TEST(OutputDeathTest, ASignalLeavesNoLockFileBehind) {
  TTempFile folder;
  const std::string base = folder.path();
  EXPECT_EXIT(
      {
        std::vector<std::unique_ptr<TOutput>> outputs;
        for (int i = 0; i < 9; ++i) {
          outputs.push_back(std::make_unique<TOutput>(base + "." + std::to_string(i), stdout,
                                                      std::vector<TInputFile>{}));
          std::fputs("half", outputs.back()->begin());
        }
        std::raise(SIGTERM);
      },
      testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(1u, filesIn(fs::path(base).parent_path()));
}

}  // namespace
