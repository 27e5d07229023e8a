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

TEST_F(ExtractionTest, aMergeKeepsTheOrderAndAsksBeforeRemovingNamingEveryPage) {
  Extract(LibraryOf({Function("A", "(x) - does a"), Function("B", "(y)"), Function("C", "(c)"),
                     Function("D", "(d) - plain")}));
  ASSERT_EQ(ui.statuses.size(), 1u);
  EXPECT_EQ(ui.statuses[0], "Library information extracted: 4 functions added (A, B, C, D)");
  EXPECT_TRUE(ui.questions.empty()) << "the first extraction discards nothing";

  // The author writes into C, rewrites D's description in one plain line (as a library would
  // give it), and moves B above A.
  project.FindTopic("C")->example = "C(1)";
  project.FindTopic("D")->body = "plain, and said better";
  project.SelectRow(2);
  commands.page.MoveUp();
  ASSERT_EQ(RowTexts(project), (Names{"Index", "B", "A", "C", "D", "License"}));
  const project::HelpProject before = project;

  // C and D leave the library: both are named, whoever wrote their words; Cancel keeps all.
  const auto next = LibraryOf({Function("A", "(x, y) - does a"), Function("B", "(y)"),
                               Function("N"), Function("O"), Function("P"), Function("Q"),
                               Function("R"), Function("S"), Function("T"), Function("U"),
                               Function("V"), Function("W"), Function("X"), Function("Y")});
  ui.answers = {false};
  Extract(next);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0],
            (text::Report{"WARNING",
                          "This extraction removes 2 pages whose functions the library no "
                          "longer has:\nC, D\nContinue ?",
                          text::ReportIcon::Exclamation}));
  EXPECT_EQ(project.topics(), before.topics());
  EXPECT_EQ(project.items(), before.items());
  EXPECT_EQ(project.modified, before.modified);
  EXPECT_EQ(ui.statuses.size(), 1u) << "nothing extracted, nothing reported";

  ui.answers = {true};
  Extract(next);
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "A", "N", "O", "P", "Q", "R", "S", "T", "U",
                                      "V", "W", "X", "Y", "License"}));
  EXPECT_EQ(ui.statuses.back(),
            "Library information extracted: 12 functions added (N, O, P, Q, R and 7 more); "
            "2 functions removed (C, D); 1 function with new parameters (A)");
  EXPECT_TRUE(ui.messages.empty()) << "asked before, not told after";
  // Undo brings both pages back, with their words, in their places.
  commands.page.Undo();
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "A", "C", "D", "License"}));
  EXPECT_EQ(project.FindTopic("C")->example, "C(1)");
  EXPECT_EQ(project.FindTopic("D")->body, "plain, and said better");
  commands.page.Redo();

  // More than ten pages go: the first ten are named, the rest counted.
  Extract(LibraryOf({Function("A", "(x, y) - does a"), Function("B", "(y)")}));
  ASSERT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(ui.questions[2].text,
            "This extraction removes 12 pages whose functions the library no longer has:\n"
            "N, O, P, Q, R, S, T, U, V, W and 2 more\nContinue ?");
  EXPECT_EQ(ui.statuses.back(),
            "Library information extracted: 12 functions removed (N, O, P, Q, R and 7 more)");

  // A merge that removes nothing asks nothing.
  Extract(LibraryOf({Function("A", "(x, y) - does a"), Function("B", "(y)"), Function("Z")}));
  EXPECT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "A", "Z", "License"}));
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

  // Pages that a fresh build drops are named in the same question; Undo brings them back.
  ui.texts = {"Notes"};
  commands.page.AddUserTopic();
  ASSERT_NE(project.FindTopic("Notes"), nullptr);
  ui.answers = {true};
  Extract(LibraryOf({Function("A", "(x) - does a")}));
  ASSERT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(ui.questions[2].text,
            "This extraction builds every page afresh from the library (existing data is not "
            "kept).\nIt removes 2 pages:\nB, Notes\nNo other page holds text you wrote.\n"
            "Continue ?");
  EXPECT_EQ(project.FindTopic("Notes"), nullptr);
  commands.page.Undo();
  EXPECT_NE(project.FindTopic("Notes"), nullptr);
  EXPECT_NE(project.FindTopic("B"), nullptr);
}

TEST_F(ExtractionTest, theLibrarysNameMessagesAreShownOnceThePagesAreThere) {
  Extract(LibraryOf({Function("A", "(x) - a"), Function("a/b", "(y) - b"), Function("Con")}));
  EXPECT_EQ(RowTexts(project), (Names{"Index", "A", "Con", "License"}));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0],
            (text::Report{"WARNING", "Function 'a/b' skipped: a page name cannot hold '/'!",
                          text::ReportIcon::Exclamation}));
  EXPECT_EQ(ui.messages[1].text,
            "Function 'Con' is a device name on Windows: its page cannot be written or opened "
            "there!");
  EXPECT_EQ(ui.statuses.back(), "Library information extracted: 2 functions added (A, Con)");
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
