#include "platform/programrunner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/systemprogramrunner.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;
using Scratch = testsupport::TempFolder;

TEST(RunProgram, passesOneArgumentAsIsInTheWorkingFolderAndWaits) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the programs";
  Scratch scratch;
  const std::string folder = scratch.Path() + "a folder/";
  fs::create_directories(folder);
  const std::string script = scratch.Path() + "record";
  // Sleeps first: the result is only there if the runner waited for the end.
  WriteBytes(script,
             "#!/bin/sh\nsleep 0.2\nprintf '%s|%s|%s' \"$#\" \"$1\" \"$(pwd)\" > out.txt\n"
             "echo noise; echo more noise >&2\n",
             true);
  const std::string argument = "with blanks \"and quotes\" 'and' $HOME";
  SystemProgramRunner runner;
  ASSERT_TRUE(runner.Run(script, argument, folder, true, true));
  EXPECT_EQ(ReadBytes(folder + "out.txt"),
            "1|" + argument + "|" + folder.substr(0, folder.size() - 1));

  // Collecting: the same run, with what it wrote to both streams given back.
  fs::remove(folder + "out.txt");
  std::string output = "stale";
  ASSERT_TRUE(runner.RunCollecting(script, argument, folder, output));
  EXPECT_EQ(output, "noise\nmore noise\n");
  EXPECT_EQ(ReadBytes(folder + "out.txt"),
            "1|" + argument + "|" + folder.substr(0, folder.size() - 1));
}

// A program that writes more than a pipe holds is read to its end, never left blocking; what
// is kept stops at the limit.
TEST(RunProgram, collectsLongOutputWithoutBlockingAndNothingFromAProgramThatCannotStart) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the programs";
  Scratch scratch;
  WriteBytes(scratch.Path() + "chatty",
             "#!/bin/sh\nhead -c 20000000 /dev/zero | tr '\\0' x\necho end >&2\n", true);
  std::string output;
  ASSERT_TRUE(RunProgramCollecting(scratch.Path() + "chatty", "x", scratch.Path(), output));
  EXPECT_EQ(output.size(), std::size_t{16} << 20);
  EXPECT_EQ(output.find_first_not_of('x'), std::string::npos);
  output = "stale";
  EXPECT_FALSE(RunProgramCollecting(scratch.Path() + "missing", "x", scratch.Path(), output));
  EXPECT_EQ(output, "");
}

TEST(RunProgram, reportsAProgramThatCannotStart) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the programs";
  Scratch scratch;
  EXPECT_FALSE(RunProgram(scratch.Path() + "missing", "x", scratch.Path(), true, true));
  WriteBytes(scratch.Path() + "notexec", "#!/bin/sh\n");
  EXPECT_FALSE(RunProgram(scratch.Path() + "notexec", "x", scratch.Path(), true, true));
  EXPECT_FALSE(RunProgram("/bin/sh", "-c", scratch.Path() + "no such folder", true, true));
  EXPECT_FALSE(RunProgram("", "x", scratch.Path(), true, true));
}

TEST(RunProgram, aCrashingProgramStillCountsAsStarted) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the programs";
  Scratch scratch;
  WriteBytes(scratch.Path() + "crash", "#!/bin/sh\nkill -SEGV $$\n", true);
  EXPECT_TRUE(RunProgram(scratch.Path() + "crash", "x", scratch.Path(), true, true));
}

TEST(RunProgram, withoutWaitingReturnsAtOnce) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the programs";
  Scratch scratch;
  WriteBytes(scratch.Path() + "slow",
             "#!/bin/sh\nsleep 0.3\necho done > \"$1.part\"\nmv \"$1.part\" \"$1\"\n", true);
  const std::string out = scratch.Path() + "out.txt";
  ASSERT_TRUE(RunProgram(scratch.Path() + "slow", out, scratch.Path(), true, false));
  EXPECT_FALSE(fs::exists(out));
  for (int i = 0; i < 250 && !fs::exists(out); ++i) usleep(20000);
  EXPECT_EQ(ReadBytes(out), "done\n");
}

}  // namespace
}  // namespace qs::platform
