#include "platform/helpcompilerlocator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;
using Scratch = testsupport::TempFolder;

TEST(FindProgramOnPath, takesTheFirstExecutableFileOfThePathList) {
  if (testsupport::kOnWindows)
    GTEST_SKIP() << "Windows files have no mode bits that make them programs";
  Scratch scratch;
  for (const char* folder : {"one", "two", "three"})
    fs::create_directories(scratch.Path() + folder);
  WriteBytes(scratch.Path() + "one/chmcmd", "plain file, not executable");
  fs::create_directories(scratch.Path() + "two/chmcmd");  // a folder
  WriteBytes(scratch.Path() + "three/chmcmd", "#!/bin/sh\n", true);
  const std::string list = scratch.Path() + "missing:" + scratch.Path() + "one:" + scratch.Path() +
                           "two:" + scratch.Path() + "three";
  EXPECT_EQ(FindProgramOnPath("chmcmd", list, ':'), scratch.Path() + "three/chmcmd");
  EXPECT_EQ(FindProgramOnPath("chmcmd", "", ':'), "");
  EXPECT_EQ(FindProgramOnPath("chmcmd", scratch.Path() + "one", ':'), "");
}

TEST(FindProgramOnPath, anEmptyEntryIsTheCurrentFolderGivenAsAFullPath) {
  if (testsupport::kOnWindows)
    GTEST_SKIP() << "Windows files have no mode bits that make them programs";
  Scratch scratch;
  WriteBytes(scratch.Path() + "chmcmd", "#!/bin/sh\n", true);
  const auto previous = fs::current_path();
  fs::current_path(scratch.Path());
  const std::string found = FindProgramOnPath("chmcmd", "/nonexistent::", ':');
  fs::current_path(previous);
  EXPECT_EQ(found, scratch.Path() + "chmcmd");
}

}  // namespace
}  // namespace qs::platform
