#include "platform/installlayout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

using testsupport::Native;
using testsupport::TempFolder;
using testsupport::WriteBytes;

TEST(InstallLayout, findsTheHelpFileBesideTheProgramFirstThenInSharedData) {
  TempFolder scratch;
  const std::string bin = scratch.Path() + "bin/";
  const std::string data = scratch.Path() + "share/quillsmith/";
  std::filesystem::create_directories(bin);

  EXPECT_EQ(InstalledDataFolder(bin), "") << "a build tree has no shared data folder";
  EXPECT_EQ(ProgramHelpFile(bin), bin + "QuillSmith.chm");

  std::filesystem::create_directories(data);
  EXPECT_EQ(InstalledDataFolder(bin), bin + Native("../share/quillsmith/"));
  WriteBytes(data + "QuillSmith.chm", "");
  EXPECT_EQ(ProgramHelpFile(bin), bin + "QuillSmith.chm") << "an empty file does not count";
  WriteBytes(data + "QuillSmith.chm", "ITSF");
  EXPECT_EQ(ProgramHelpFile(bin), bin + Native("../share/quillsmith/QuillSmith.chm"));
  WriteBytes(bin + "QuillSmith.chm", "ITSF");
  EXPECT_EQ(ProgramHelpFile(bin), bin + "QuillSmith.chm");
}

TEST(InstallLayout, findsTheHelpPagesWhereTheyHoldTheStartPage) {
  TempFolder scratch;
  const std::string bin = scratch.Path() + "bin/";
  const std::string data = scratch.Path() + "share/quillsmith/";
  std::filesystem::create_directories(bin + "QuillSmithHelp");
  std::filesystem::create_directories(data + "QuillSmithHelp");
  EXPECT_EQ(ProgramHelpPages(bin), "");
  WriteBytes(data + "QuillSmithHelp/QuillSmith.html", "<html>");
  EXPECT_EQ(ProgramHelpPages(bin), bin + Native("../share/quillsmith/QuillSmithHelp/"));
  WriteBytes(bin + "QuillSmithHelp/QuillSmith.html", "<html>");
  EXPECT_EQ(ProgramHelpPages(bin), bin + Native("QuillSmithHelp/"));
  EXPECT_EQ(ProgramHelpPages(""), "");
}

}  // namespace
}  // namespace qs::platform
