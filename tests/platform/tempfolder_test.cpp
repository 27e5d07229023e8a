#include "platform/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;
using Scratch = testsupport::TempFolder;

TEST(PreviewFolder, isMadePrivateAndReused) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "POSIX mode bits";
  Scratch scratch;
  const std::string temp = scratch.Path() + "tmp/";
  const std::string folder = MakePreviewFolderIn(temp);
  ASSERT_EQ(folder, temp + "~QuillSmith~/");
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  WriteBytes(folder + "kept.html", "x");
  EXPECT_EQ(MakePreviewFolderIn(temp), folder);
  EXPECT_TRUE(fs::exists(folder + "kept.html"));
}

TEST(PreviewFolder, isRefusedWhenItIsALinkOrAFile) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Wine makes no symbolic links";
  Scratch scratch;
  fs::create_directories(scratch.Path() + "elsewhere");
  fs::create_directories(scratch.Path() + "a");
  fs::create_directory_symlink(scratch.Path() + "elsewhere", scratch.Path() + "a/~QuillSmith~");
  EXPECT_EQ(MakePreviewFolderIn(scratch.Path() + "a/"), "");
  fs::create_directories(scratch.Path() + "b");
  WriteBytes(scratch.Path() + "b/~QuillSmith~", "x");
  EXPECT_EQ(MakePreviewFolderIn(scratch.Path() + "b/"), "");
  EXPECT_EQ(MakePreviewFolderIn(""), "");
}

TEST(SystemTempFolder, followsTmpdirAndEndsInASeparator) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "TMPDIR is the POSIX variable";
  const char* saved = std::getenv("TMPDIR");
  const std::string previous = saved ? saved : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(SystemTempFolder(), "/var/tmp/");
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(SystemTempFolder(), "/tmp/");
  if (saved) {
    setenv("TMPDIR", previous.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace qs::platform
