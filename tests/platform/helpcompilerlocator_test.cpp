#include "platform/helpcompilerlocator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratchfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using Scratch = testsupport::ScratchFolder;

void WriteFile(const std::string& path, const std::string& bytes, bool executable = false) {
  testsupport::WriteBytes(path, bytes, executable);
}

TEST(FindProgramOnPath, takesTheFirstExecutableFileOfThePathList) {
  Scratch scratch;
  for (const char* folder : {"one", "two", "three"})
    fs::create_directories(scratch.Path() + folder);
  WriteFile(scratch.Path() + "one/chmcmd", "plain file, not executable");
  fs::create_directories(scratch.Path() + "two/chmcmd");  // a folder
  WriteFile(scratch.Path() + "three/chmcmd", "#!/bin/sh\n", true);
  const std::string list = scratch.Path() + "missing:" + scratch.Path() + "one:" + scratch.Path() +
                           "two:" + scratch.Path() + "three";
  EXPECT_EQ(FindProgramOnPath("chmcmd", list, ':'), scratch.Path() + "three/chmcmd");
  EXPECT_EQ(FindProgramOnPath("chmcmd", "", ':'), "");
  EXPECT_EQ(FindProgramOnPath("chmcmd", scratch.Path() + "one", ':'), "");
}

TEST(FindProgramOnPath, anEmptyEntryIsTheCurrentFolderGivenAsAFullPath) {
  Scratch scratch;
  WriteFile(scratch.Path() + "chmcmd", "#!/bin/sh\n", true);
  const auto previous = fs::current_path();
  fs::current_path(scratch.Path());
  const std::string found = FindProgramOnPath("chmcmd", "/nonexistent::", ':');
  fs::current_path(previous);
  EXPECT_EQ(found, scratch.Path() + "chmcmd");
}

}  // namespace
}  // namespace qs::platform
