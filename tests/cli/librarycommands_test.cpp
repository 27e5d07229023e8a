#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/clirunner.h"
#include "project/projectfile.h"
#include "support/librarygenerator.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::cli {
namespace {

using testsupport::Function;
using testsupport::LibraryRecipe;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

LibraryRecipe Library(std::vector<LibraryRecipe::Entry> entries) {
  LibraryRecipe recipe;
  recipe.entries = std::move(entries);
  return recipe;
}

class LibraryCommandsTest : public testing::Test {
 protected:
  testsupport::TempFolder folder_;
  std::string library_ = folder_.Path("MyLib");
  std::string project_ = folder_.Path("MyLib.qsp");
};

const std::string kLicenseLines =
    "This purebasic user library is provided 'as-is', without any express or implied "
    "warranty.\nIn no event will the author be held liable for any damages arising from the use "
    "of this software.\nPermission is granted to anyone to use this software for any purpose, "
    "including commercial\napplications, and redistribute it freely.\r\n";

std::string ReplaceLf(std::string text) {
  for (std::size_t pos = 0; (pos = text.find('\n', pos)) != std::string::npos; pos += 2) {
    if (pos == 0 || text[pos - 1] != '\r') text.insert(pos, 1, '\r');
  }
  return text;
}

TEST_F(LibraryCommandsTest, listPrintsOneLinePerRetainedFunction) {
  ASSERT_TRUE(testsupport::WriteLibraryFile(
      library_, Library({Function("MyLib_Init"), Function("Show", "(Text$) - Shows a text"),
                         Function("Show2", "(Text$, Flags)"), Function("Beep")})));
  const auto outcome = RunCli({"list", library_});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.out, "Show\t(Text$)\tShows a text\nBeep\t\t\n");
  EXPECT_EQ(outcome.err, "");
}

TEST_F(LibraryCommandsTest, listReportsUnreadableLibraries) {
  auto outcome = RunCli({"list", folder_.Path("Nowhere")});
  EXPECT_EQ(outcome.status, kFailure);
  EXPECT_EQ(outcome.err, "Could not open file 'Nowhere'!\n");

  WriteBytes(library_, "not a library at all");
  outcome = RunCli({"list", library_});
  EXPECT_EQ(outcome.status, kFailure);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "File 'MyLib' is not a library!\n");
}

TEST_F(LibraryCommandsTest, extractBuildsAfreshThenMergesIntoTheSavedProject) {
  ASSERT_TRUE(testsupport::WriteLibraryFile(
      library_,
      Library({Function("MyFunc", "(Text$) - Shows a text"), Function("Old", "(a) - goes away")})));
  const auto helpFolder = folder_.Path("Help");
  auto outcome = RunCli({"extract", library_, project_, "--help-folder", helpFolder});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  EXPECT_EQ(outcome.err, "Library information extracted: 2 functions added (MyFunc, Old)\n");
  const std::string header = "QuillSmith Project *** DO NOT EDIT ***\r\n" + project_ + "\r\n" +
                             library_ + "\r\n" + helpFolder + testsupport::Native("/") + "\r\n";
  EXPECT_EQ(ReadBytes(project_), header +
                                     "Index\r\n\r\nMyLib library\r\n"
                                     "This is a purebasic user library.\r\n\xB6\r\n"
                                     "MyFunc\r\nOld\r\n\xB6\r\n\xB6\r\n"
                                     "MyFunc\r\n(Text$)\r\nMyFunc()\r\nMyFunc(Text$)\r\n\xB6\r\n"
                                     "Shows a text\r\n\xB6\r\n\xB6\r\n"
                                     "Old\r\n(a)\r\nOld()\r\nOld(a)\r\n\xB6\r\n"
                                     "goes away\r\n\xB6\r\n\xB6\r\n"
                                     "License\xB1\r\n\r\nMyLib library license\r\n\xB6\r\n" +
                                     kLicenseLines + "\xB6\r\n\xB6\r\n");

  // The author writes an example and a description, then the library changes.
  project::HelpProject edited;
  text::Reports reports;
  ASSERT_TRUE(project::LoadProject(edited, project_, {}, reports));
  edited.FindTopic("MyFunc")->body = "My words";
  edited.FindTopic("MyFunc")->example = "MyFunc(\"Hi\")\r\nEnd";
  edited.FindTopic("Old")->example = "Old(1)";
  ASSERT_TRUE(project::SaveProject(edited, project_, reports));
  ASSERT_TRUE(testsupport::WriteLibraryFile(
      library_, Library({Function("MyFunc", "(Text$, Flags) - Shows a text"),
                         Function("Added", "(b) - is new")})));

  outcome = RunCli({"extract", library_, project_});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  // Every removed page is named before the summary of changes.
  EXPECT_EQ(outcome.err,
            "Page removed: Old\n"
            "Library information extracted: 1 function added (Added); 1 function removed (Old); "
            "1 function with new parameters (MyFunc)\n");
  EXPECT_EQ(ReadBytes(project_), header +
                                     "Index\r\n\r\nMyLib library\r\n"
                                     "This is a purebasic user library.\r\n\xB6\r\n"
                                     "MyFunc\r\nAdded\r\n\xB6\r\n\xB6\r\n"
                                     "MyFunc\r\n(Text$, Flags)\r\nMyFunc()\r\n"
                                     "MyFunc(Text$, Flags)\r\n\xB6\r\n"
                                     "My words\r\n\xB6\r\nMyFunc(\"Hi\")\r\nEnd\r\n\xB6\r\n"
                                     "Added\r\n(b)\r\nAdded()\r\nAdded(b)\r\n\xB6\r\n"
                                     "is new\r\n\xB6\r\n\xB6\r\n"
                                     "License\xB1\r\n\r\nMyLib library license\r\n\xB6\r\n"
                                     // the LF breaks came back from the load as CR LF
                                     + ReplaceLf(kLicenseLines) + "\xB6\r\n\xB6\r\n");
}

TEST_F(LibraryCommandsTest, failedExtractionLeavesTheProjectFileAlone) {
  ASSERT_TRUE(testsupport::WriteLibraryFile(library_, Library({Function("A", "(a)")})));
  ASSERT_EQ(RunCli({"extract", library_, project_}).status, kSuccess);
  const auto saved = ReadBytes(project_);

  auto cut = Library({Function("A", "(a)"), Function("B")});
  cut.endMark = LibraryRecipe::EndMark::None;
  cut.tail.clear();
  ASSERT_TRUE(testsupport::WriteLibraryFile(library_, cut));
  auto outcome = RunCli({"extract", library_, project_, "--help-folder", "elsewhere"});
  EXPECT_EQ(outcome.status, kFailure);
  EXPECT_EQ(outcome.err, "File 'MyLib' is not a library!\n");
  EXPECT_EQ(ReadBytes(project_), saved);

  ASSERT_TRUE(testsupport::WriteLibraryFile(library_, Library({Function("MyLib_Init")})));
  outcome = RunCli({"extract", library_, project_});
  EXPECT_EQ(outcome.status, kFailure);
  EXPECT_EQ(outcome.err, "No functions found in library '" + library_ + "'!\n");
  EXPECT_EQ(ReadBytes(project_), saved);

  const auto absent = folder_.Path("Absent.qsp");
  EXPECT_EQ(RunCli({"extract", library_, absent}).status, kFailure);
  EXPECT_FALSE(std::filesystem::exists(absent));

  WriteBytes(project_, "Some other file\r\n");
  outcome = RunCli({"extract", library_, project_});
  EXPECT_EQ(outcome.status, kFailure);
  EXPECT_EQ(outcome.err, "The file '" + project_ + "' is not a valid project!\n");
  EXPECT_EQ(ReadBytes(project_), "Some other file\r\n");
}

TEST_F(LibraryCommandsTest, freshOptionDropsUserTopicsAndHeaderOnlyProjectIsFilled) {
  ASSERT_TRUE(testsupport::WriteLibraryFile(library_, Library({Function("A", "(a)")})));
  WriteBytes(project_, "QuillSmith Project *** DO NOT EDIT ***\r\nold.qsp\r\nold\r\nHelp/\r\n");
  ASSERT_EQ(RunCli({"extract", library_, project_}).status, kSuccess);

  project::HelpProject loaded;
  text::Reports reports;
  ASSERT_TRUE(project::LoadProject(loaded, project_, {}, reports));
  // The header-only file failed to load and lent the project nothing, not even its paths.
  EXPECT_EQ(loaded.helpFolder, "");
  EXPECT_EQ(loaded.projectFile, project_);
  EXPECT_EQ(loaded.TopicCount(), 3u);
  project::Topic notes;
  notes.name = "Notes";
  notes.isUserTopic = true;
  loaded.AppendTopic(notes);
  loaded.RefillItemsFromStore();
  ASSERT_TRUE(project::SaveProject(loaded, project_, reports));

  ASSERT_EQ(RunCli({"extract", library_, project_}).status, kSuccess);
  EXPECT_NE(ReadBytes(project_).find("Notes\xB1\r\n"), std::string::npos);
  const auto outcome = RunCli({"extract", "--fresh", library_, project_});
  ASSERT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(ReadBytes(project_).find("Notes\xB1\r\n"), std::string::npos);
  // A fresh build names every page it drops, user topics too.
  EXPECT_EQ(outcome.err,
            "Page removed: Notes\n"
            "Library information extracted: no function added, removed or changed\n");
}

// Both commands leave out the names that would break a file, and warn about the names whose
// pages collide, in the same words; the list's lines stay whole.
TEST_F(LibraryCommandsTest, listAndExtractSkipAndWarnAboutTheSameNames) {
  ASSERT_TRUE(testsupport::WriteLibraryFile(
      library_, Library({Function("Tab\tbed", "(t) - tab"), Function("Draw", "(x) - draw"),
                         Function("a/b"), Function("DRAW", "(y) - other"), Function("LPT1"),
                         Function("Draw", "(z) - again")})));
  const std::string messages =
      "Function 'Tab\\tbed' skipped: a page name cannot hold '\\t'!\n"
      "Function 'a/b' skipped: a page name cannot hold '/'!\n"
      "Function 'DRAW' differs from 'Draw' only in letter case: their pages collide in a "
      "compiled help file and on Windows!\n"
      "Function 'LPT1' is a device name on Windows: its page cannot be written or opened there!\n"
      "Function 'Draw' skipped: a function of the same name comes first! Its own help: "
      "Draw(z) - again\n";
  auto outcome = RunCli({"list", library_});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.out, "Draw\t(x)\tdraw\nDRAW\t(y)\tother\nLPT1\t\t\n");
  EXPECT_EQ(outcome.err, messages);

  outcome = RunCli({"extract", library_, project_});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.err,
            messages + "Library information extracted: 3 functions added (Draw, DRAW, LPT1)\n");
}

}  // namespace
}  // namespace qs::cli
