// The temporary folder on Windows, and where the program finds itself there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/programlocation.h"
#include "platform/tempfolder.h"
#include "support/systemtraits.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;

bool StartsWithDrive(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

TEST(TempFolderOnWindows, theSystemsFolderEndsInItsBackslash) {
  const std::string temp = SystemTempFolder();
  EXPECT_TRUE(StartsWithDrive(temp)) << temp;
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(fs::is_directory(temp));
}

TEST(ProgramLocationOnWindows, theProgramLiesOnADriveAndKeepsItsSettingsBesideItself) {
  const std::string program = ProgramPath();
  EXPECT_TRUE(StartsWithDrive(program)) << program;
  EXPECT_EQ(fs::path(program).extension(), ".exe");
  EXPECT_EQ(ProgramFolder(), program.substr(0, program.rfind('\\') + 1));
  EXPECT_EQ(SettingsFolder(), ProgramFolder());
}

}  // namespace
}  // namespace qs::platform
