// The temporary and preview folders on Windows, and where the program finds itself there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/programlocation.h"
#include "platform/tempfolder.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::Native;
using testsupport::WriteBytes;

bool StartsWithDrive(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

TEST(TempFolderOnWindows, theSystemsFolderWithItsBackslashHoldsThePreviewFolder) {
  const std::string temp = SystemTempFolder();
  EXPECT_TRUE(StartsWithDrive(temp)) << temp;
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(fs::is_directory(temp));

  testsupport::TempFolder scratch;
  // Missing parents are made; a folder given without its separator gets one.
  const std::string below = Native(scratch.Path() + "a/b");
  const std::string folder = MakePreviewFolderIn(below);
  ASSERT_EQ(folder, below + "\\~QuillSmith~\\");
  EXPECT_TRUE(fs::is_directory(folder));
  // Reused as it is, files and all.
  WriteBytes(folder + "kept.html", "x");
  EXPECT_EQ(MakePreviewFolderIn(below + "\\"), folder);
  EXPECT_TRUE(fs::exists(folder + "kept.html"));
}

TEST(TempFolderOnWindows, aFileInThePlaceOfThePreviewFolderIsNotUsed) {
  testsupport::TempFolder scratch;
  const std::string temp = Native(scratch.Path());
  WriteBytes(temp + "~QuillSmith~", "x");
  EXPECT_EQ(MakePreviewFolderIn(temp), "");
  EXPECT_EQ(MakePreviewFolderIn(""), "");
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
