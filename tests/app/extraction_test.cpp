// The extraction commands as the window runs them, against the real library reader and
// topic building, with libraries generated into a temporary folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/coreservices.h"
#include "fakes.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::apptest {
namespace {

using testsupport::Function;
using testsupport::LibraryOf;
using testsupport::LibraryRecipe;
using testsupport::RowTexts;
using Names = std::vector<std::string>;

class ExtractionTest : public ::testing::Test {
 protected:
  ExtractionTest() { project.projectFile = temp.Path("MyLib.qsp"); }

  // Writes `recipe` as the library and presses "Library information extraction".
  void Extract(const LibraryRecipe& recipe) {
    ASSERT_TRUE(testsupport::WriteLibraryFile(library, recipe));
    project.libraryFile = library;
    commands.project.Extract();
  }

  testsupport::TempFolder temp;
  std::string library = temp.Path("MyLib");
  Log log;
  FakeUi ui{log};
  app::CoreServices services{"/prog/quillsmith", temp.Path()};
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  app::CommandContext context{project, state, captions, services, ui};
  app::Commands commands{context};
};

TEST_F(ExtractionTest, aMergeKeepsTheOrderAndSaysWhatChangedAndWhichWordsWent) {
  Extract(LibraryOf({Function("A", "(x) - does a"), Function("B", "(y)"), Function("C", "(c)"),
                     Function("D", "(d) - plain")}));
  ASSERT_EQ(ui.statuses.size(), 1u);
  EXPECT_EQ(ui.statuses[0], "Library information extracted: 4 functions added (A, B, C, D)");
  EXPECT_TRUE(ui.questions.empty()) << "the first extraction discards nothing";

  // The author writes into C, leaves D alone, and moves B above A.
  project.FindTopic("C")->example = "C(1)";
  project.SelectRow(2);
  commands.page.MoveUp();
  ASSERT_EQ(RowTexts(project), (Names{"Index", "B", "A", "C", "D", "License"}));

  Extract(LibraryOf({Function("A", "(x, y) - does a"), Function("B", "(y)"), Function("N"),
                     Function("O"), Function("P"), Function("Q"), Function("R"), Function("S")}));
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "A", "N", "O", "P", "Q", "R", "S", "License"}));
  EXPECT_EQ(ui.statuses.back(),
            "Library information extracted: 6 functions added (N, O, P, Q, R and 1 more); "
            "2 functions removed (C, D); 1 function with new parameters (A)");
  // Only C held the author's words; D held what the library gave it.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "WARNING");
  EXPECT_EQ(ui.messages[0].text,
            "The library no longer has these functions. Their pages held text you wrote and "
            "were removed:\nC");
  // Undo brings the page with the author's words back, in its place.
  commands.page.Undo();
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "A", "C", "D", "License"}));
  EXPECT_EQ(project.FindTopic("C")->example, "C(1)");
  commands.page.Redo();

  Extract(LibraryOf({Function("A", "(x, y) - does a"), Function("B", "(y)")}));
  EXPECT_EQ(ui.statuses.back(),
            "Library information extracted: 6 functions removed (N, O, P, Q, R and 1 more)");
}

TEST_F(ExtractionTest, aFreshExtractionOverTheAuthorsPagesAsksFirstAndCancelKeepsThem) {
  Extract(LibraryOf({Function("A", "(x) - does a"), Function("B", "(y) - does b")}));
  project.FindTopic("A")->title = "A, explained";
  project.FindTopic("License")->body = "All rights reserved.";
  ui.keepData = false;
  project.ShowRow(1);
  context.ShowTopic();
  const project::HelpProject before = project;
  ui.answers = {false};
  Extract(LibraryOf({Function("A", "(x) - does a"), Function("B", "(y) - does b")}));
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text,
            "This extraction builds every page afresh from the library (existing data is not "
            "kept).\n2 pages hold text you wrote that would be lost.\nContinue ?");
  EXPECT_EQ(project.topics(), before.topics());
  EXPECT_EQ(project.selectedRow(), 1);
  EXPECT_EQ(project.shownTopic(), "A");
  EXPECT_EQ(ui.statuses.size(), 1u) << "nothing extracted, nothing reported";

  ui.answers = {true};
  Extract(LibraryOf({Function("A", "(x) - does a"), Function("B", "(y) - does b")}));
  EXPECT_EQ(project.FindTopic("A")->title, "A()");
  EXPECT_EQ(ui.statuses.back(),
            "Library information extracted: no function added, removed or "
            "changed");
}

TEST_F(ExtractionTest, aDifferentLibraryThatFailsLeavesTheProjectAsItWas) {
  Extract(LibraryOf({Function("A", "(x) - does a")}));
  project.FindTopic("A")->body = "My words";
  const project::HelpProject before = project;
  ui.libraryField = library;
  const std::string other = temp.Path("Other");
  ASSERT_TRUE(testsupport::WriteLibraryFile(other, LibraryOf({Function("Other_Init")})));
  ui.files.push_back({other, 0});
  ui.answers = {true};
  commands.project.BrowseLibrary();
  ASSERT_EQ(ui.questions.size(), 1u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "No functions found in library '" + other + "'!");
  EXPECT_EQ(project.libraryFile, library);
  EXPECT_EQ(ui.libraryField, library);
  EXPECT_EQ(project.topics(), before.topics());
  EXPECT_EQ(project.items(), before.items());
  EXPECT_EQ(project.shownTopic(), before.shownTopic());
  EXPECT_EQ(project.modified, before.modified);
}

}  // namespace
}  // namespace qs::apptest
