// The Windows runner, with the stand-in compiler built beside this test as the program.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/programlocation.h"
#include "platform/programrunner.h"
#include "platform/systemprogramrunner.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;

std::string StandIn() {
  return ProgramFolder() + "qs_standin_compiler.exe";
}

// The stand-in's record of how it was started: the number of arguments, each argument and
// its current folder, one a line.
std::string Record(const std::string& argument, const std::string& folder) {
  return "1\n" + argument + "\n" + folder.substr(0, folder.size() - 1) + "\n";
}

class RunProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_regular_file(StandIn())) << StandIn();
    fs::create_directories(folder);
  }

  testsupport::TempFolder scratch;
  // Blanks in the folder and in the argument: both reach the program whole.
  const std::string folder = testsupport::Native(scratch.Path() + "help folder/");
  const std::string argument = folder + "My Lib.hhp";
};

TEST_F(RunProgramTest, startsTheProgramInItsWorkingFolderWithOneArgumentAndWaitsForItsEnd) {
  SystemProgramRunner runner;
  ASSERT_TRUE(runner.Run(StandIn(), argument, folder, true, true));
  // The stand-in writes its record last, after a pause: it is there only if the run waited.
  EXPECT_EQ(ReadBytes(folder + "standin.log"), Record(argument, folder));
}

TEST_F(RunProgramTest, withoutWaitingReturnsBeforeTheProgramEnds) {
  ASSERT_TRUE(RunProgram(StandIn(), argument, folder, true, false));
  EXPECT_FALSE(fs::exists(folder + "standin.log"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ReadBytes(folder + "standin.log") != Record(argument, folder) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadBytes(folder + "standin.log"), Record(argument, folder));
  // Let the program end before its working folder is removed.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

TEST_F(RunProgramTest, quotesAndBackslashesInTheArgumentArriveAsGiven) {
  for (const std::string odd : {"say \"hi\" twice", "ends in a backslash\\", "\\\"", ""}) {
    fs::remove(folder + "standin.log");
    ASSERT_TRUE(RunProgram(StandIn(), odd, folder, true, true)) << odd;
    EXPECT_EQ(ReadBytes(folder + "standin.log"), Record(odd, folder)) << odd;
  }
}

TEST_F(RunProgramTest, aProgramThatDoesNotExistIsNotStarted) {
  EXPECT_FALSE(RunProgram(folder + "missing.exe", argument, folder, true, true));
  EXPECT_FALSE(fs::exists(folder + "standin.log"));
}

}  // namespace
}  // namespace qs::platform
