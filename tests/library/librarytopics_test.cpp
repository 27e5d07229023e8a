#include "library/librarytopics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/librarygenerator.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::library {
namespace {

using project::HelpProject;
using project::Topic;
using project::TopicIcon;
using testsupport::Function;
using testsupport::LibraryRecipe;
using testsupport::MakeProject;
using testsupport::RowTexts;
using testsupport::StoreNames;
using Names = std::vector<std::string>;

LibraryRecipe Library(std::vector<LibraryRecipe::Entry> entries) {
  LibraryRecipe recipe;
  recipe.entries = std::move(entries);
  return recipe;
}

class LibraryTopicsTest : public testing::Test {
 protected:
  // Writes the library and runs the extraction on `project`, as the window's button does.
  bool Extract(HelpProject& project, const LibraryRecipe& recipe, bool keep) {
    EXPECT_TRUE(testsupport::WriteLibraryFile(path_, recipe));
    project.libraryFile = path_;
    reports_.clear();
    return ExtractLibraryInfo(project, keep, info_, reports_);
  }

  static const Topic& TopicNamed(const HelpProject& project, std::string_view name) {
    static const Topic kNone;
    const Topic* topic = project.FindTopic(name);
    return topic ? *topic : kNone;
  }
  // The functions list every reader gets.
  static std::string ListNamed(const HelpProject& project, std::string_view name) {
    return project.Body(project.FindTopicPos(name));
  }

  testsupport::TempFolder folder_;
  std::string path_ = folder_.Path("MyLib");
  LibraryInfo info_;
  text::Reports reports_;
};

const LibraryRecipe kAB =
    Library({Function("A", "(x) - does a"), Function("B", "(y, z) - does b")});

TEST_F(LibraryTopicsTest, freshBuildMakesIndexFunctionPagesAndLicense) {
  HelpProject project;
  ASSERT_TRUE(Extract(project, kAB, true));
  EXPECT_TRUE(reports_.empty());
  EXPECT_TRUE(project.modified);
  EXPECT_EQ(StoreNames(project), (Names{"Index", "A", "B", "License"}));
  EXPECT_EQ(RowTexts(project), (Names{"Index", "A", "B", "License"}));
  EXPECT_EQ(project.selectedRow(), 0);
  EXPECT_EQ(project.shownTopic(), "Index");

  const Topic& index = project.TopicAt(0);
  EXPECT_EQ(index.title, "MyLib library");
  EXPECT_EQ(index.summary, "This is a purebasic user library.");
  EXPECT_EQ(project.Body(0), "A\r\nB");
  EXPECT_EQ(index.icon, TopicIcon::IndexIcon);
  EXPECT_TRUE(index.IsPlain());

  const Topic& a = project.TopicAt(1);
  EXPECT_EQ(a.title, "A()");
  EXPECT_EQ(a.parameters, "(x)");
  EXPECT_EQ(a.summary, "A(x)");
  EXPECT_EQ(a.body, "does a");
  EXPECT_EQ(a.example, "");
  EXPECT_EQ(a.icon, TopicIcon::PageIcon);
  EXPECT_EQ(project.TopicAt(2).summary, "B(y, z)");

  const Topic& license = project.TopicAt(3);
  EXPECT_EQ(license.title, "MyLib library license");
  EXPECT_TRUE(license.isUserTopic);
  EXPECT_EQ(license.icon, TopicIcon::PageIcon);
  EXPECT_EQ(license.body,
            "This purebasic user library is provided 'as-is', without any express or implied "
            "warranty.\nIn no event will the author be held liable for any damages arising "
            "from the use of this software.\nPermission is granted to anyone to use this "
            "software for any purpose, including commercial\napplications, and redistribute "
            "it freely.");
}

TEST_F(LibraryTopicsTest, mergeKeepsTheAuthorsTextsAndFollowsTheLibrary) {
  HelpProject project;
  ASSERT_TRUE(Extract(project,
                      Library({Function("A", "(x) - does a"), Function("B", "(y)"),
                               Function("C", "(c) - gone soon")}),
                      true));
  // The author edits A, and adds a user topic and a user index entry.
  Topic& a = *project.FindTopic("A");
  a.title = "A, the first";
  a.body = "My own description";
  a.example = "A(1)";
  project.FindTopic("B")->title.clear();
  project.AppendTopic(testsupport::MakeTopic("Notes*"));
  project.InsertTopic(1, testsupport::MakeTopic("Group#"));
  project.TopicAt(0).summary = "My overview";
  project.TopicAt(0).title.clear();
  project.RefillItemsFromStore();  // as a load of the saved project gives them
  project.modified = false;
  project.SetShownTopic("A");

  ASSERT_TRUE(Extract(project,
                      Library({Function("A", "(x, y) - does a better"), Function("D", "(d) - new"),
                               Function("B", "(y) - now described")}),
                      true));
  EXPECT_TRUE(project.modified);
  // C is gone; D stands just before the first user topic, in the store and in the rows.
  EXPECT_EQ(StoreNames(project), (Names{"Index", "Group", "A", "B", "D", "License", "Notes"}));
  EXPECT_EQ(RowTexts(project), StoreNames(project));

  const Topic& merged = TopicNamed(project, "A");
  EXPECT_EQ(merged.title, "A, the first");
  EXPECT_EQ(merged.body, "My own description");
  EXPECT_EQ(merged.example, "A(1)");
  EXPECT_EQ(merged.parameters, "(x, y)");
  EXPECT_EQ(merged.summary, "A(x, y)");
  // Empty texts are filled from the library.
  EXPECT_EQ(TopicNamed(project, "B").title, "B()");
  EXPECT_EQ(TopicNamed(project, "B").body, "now described");
  EXPECT_EQ(TopicNamed(project, "D").summary, "D(d)");
  EXPECT_EQ(TopicNamed(project, "D").body, "new");
  EXPECT_EQ(TopicNamed(project, "D").icon, TopicIcon::PageIcon);

  const Topic& index = project.TopicAt(0);
  EXPECT_EQ(index.title, "MyLib library");
  EXPECT_EQ(index.summary, "My overview");
  // The functions lists follow the rows: the user index entry groups what follows it.
  EXPECT_EQ(ListNamed(project, "Index"), "A\r\nB\r\nD");
  EXPECT_EQ(ListNamed(project, "Group"), "A\r\nB\r\nD");
  EXPECT_TRUE(TopicNamed(project, "Notes").isUserTopic);
  EXPECT_EQ(TopicNamed(project, "License").title, "MyLib library license");
  // A merge leaves no topic chosen; the caller re-selects row 0.
  EXPECT_EQ(project.shownTopic(), "");
  EXPECT_EQ(project.selectedRow(), 0);
}

TEST_F(LibraryTopicsTest, mergeWithoutUserTopicsAppendsNewPagesAfterTheOthers) {
  auto project = MakeProject({"Index", "A", "Group#", "B"});
  ASSERT_TRUE(Extract(project,
                      Library({Function("N"), Function("B"), Function("A"), Function("M")}), true));
  EXPECT_EQ(StoreNames(project), (Names{"Index", "A", "Group", "B", "N", "M"}));
}

TEST_F(LibraryTopicsTest, mergeNeverPlacesNewPagesBeforeTheIndexPage) {
  auto project = MakeProject({"Notes*", "Index", "A", "License*"});
  ASSERT_TRUE(Extract(project, Library({Function("A"), Function("New")}), true));
  EXPECT_EQ(StoreNames(project), (Names{"Notes", "Index", "New", "A", "License"}));
}

TEST_F(LibraryTopicsTest, userTopicSharingAFunctionNameIsTakenOver) {
  auto project = MakeProject({"Index", "Helper*", "License*"});
  Topic& helper = *project.FindTopic("Helper");
  helper.body = "Written by hand";
  ASSERT_TRUE(Extract(project, Library({Function("Helper", "(h) - from the library")}), true));
  EXPECT_EQ(StoreNames(project), (Names{"Index", "Helper", "License"}));
  const Topic& merged = TopicNamed(project, "Helper");
  EXPECT_TRUE(merged.isUserTopic);
  EXPECT_EQ(merged.summary, "Helper(h)");
  EXPECT_EQ(merged.parameters, "(h)");
  EXPECT_EQ(merged.body, "Written by hand");
}

TEST_F(LibraryTopicsTest, repeatedFunctionNameChangesNothingTheSecondTime) {
  auto project = MakeProject({"Index", "A", "License*"});
  ASSERT_TRUE(Extract(project,
                      Library({Function("A", "(1) - first"), Function("A", "(2) - second"),
                               Function("N", "(1)"), Function("X"), Function("N", "(2)")}),
                      true));
  EXPECT_EQ(StoreNames(project), (Names{"Index", "A", "N", "X", "License"}));
  EXPECT_EQ(TopicNamed(project, "A").summary, "A(1)");
  EXPECT_EQ(TopicNamed(project, "N").summary, "N(1)");
}

TEST_F(LibraryTopicsTest, clearedBoxOrEmptyProjectBuildsAfresh) {
  auto project = MakeProject({"Index", "A", "Group#", "Old", "Notes*", "License*"});
  project.FindTopic("A")->body = "edited";
  ASSERT_TRUE(Extract(project, kAB, false));
  EXPECT_EQ(StoreNames(project), (Names{"Index", "A", "B", "License"}));
  EXPECT_EQ(TopicNamed(project, "A").body, "does a");
  EXPECT_EQ(project.shownTopic(), "Index");

  HelpProject empty;
  ASSERT_TRUE(Extract(empty, kAB, true));
  EXPECT_EQ(StoreNames(empty), (Names{"Index", "A", "B", "License"}));
}

TEST_F(LibraryTopicsTest, failedExtractionChangesNothing) {
  auto project = MakeProject({"Index", "A", "License*"});
  project.SetShownTopic("A");
  project.SelectRow(1);
  const auto before = project.topics();

  // Only internal routines: the read succeeds but nothing is retained.
  EXPECT_FALSE(Extract(project, Library({Function("MyLib_Init"), Function("EndMyLib")}), true));
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0], text::ErrorReport("No functions found in library '" + path_ + "'!"));

  // A cut-off table is damage, not a shorter library: no page may be dropped because of it.
  auto cut = kAB;
  cut.endMark = LibraryRecipe::EndMark::None;
  cut.tail.clear();
  EXPECT_FALSE(Extract(project, cut, true));
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0].text, "File 'MyLib' is not a library!");

  EXPECT_EQ(project.topics(), before);
  EXPECT_FALSE(project.modified);
  EXPECT_EQ(project.shownTopic(), "A");  // the form still shows A and keeps committing into it
  EXPECT_EQ(project.selectedRow(), 1);

  // No library chosen: nothing happens, nothing is said.
  project.libraryFile.clear();
  reports_.clear();
  EXPECT_FALSE(ExtractLibraryInfo(project, true, info_, reports_));
  EXPECT_TRUE(reports_.empty());
  EXPECT_EQ(project.topics(), before);
}

// Names that would break a file are left out, each named in its message; names whose pages
// collide on Windows or in a compiled help file are kept with a warning naming them. Both a
// fresh build and a merge check them, and nothing else is reported.
TEST_F(LibraryTopicsTest, libraryNamesThatWouldBreakAFileAreSkippedOrWarnedAbout) {
  const auto skipped = [](const std::string& shown, const std::string& byte) {
    return text::Report{"WARNING",
                        "Function '" + shown + "' skipped: a page name cannot hold '" + byte + "'!",
                        text::ReportIcon::Exclamation};
  };
  const auto warning = [](std::string message) {
    return text::Report{"WARNING", std::move(message), text::ReportIcon::Exclamation};
  };
  const auto caseOnly = [&](const std::string& name, const std::string& first) {
    return warning("Function '" + name + "' differs from '" + first +
                   "' only in letter case: their pages collide in a compiled help file and on "
                   "Windows!");
  };
  const auto device = [&](const std::string& name) {
    return warning("Function '" + name +
                   "' is a device name on Windows: its page cannot be written or opened there!");
  };
  struct Case {
    const char* what;
    std::vector<LibraryRecipe::Entry> entries;
    Names pages;  // the function pages, in order
    text::Reports reports;
  };
  const Case cases[] = {
      {"bytes that break a file",
       {Function("Say\"Hi"), Function("A<b"), Function("A>b"), Function("Fish&Chips"),
        Function("Good", "(x) - kept"), Function("sub/Page"), Function("sub\\Page"),
        Function("Tab\tbed"), Function("Two\r\nLines"), Function("Line\nFeed")},
       {"Good"},
       {skipped("Say\"Hi", "\""), skipped("A<b", "<"), skipped("A>b", ">"),
        skipped("Fish&Chips", "&"), skipped("sub/Page", "/"), skipped("sub\\Page", "\\"),
        skipped("Tab\\tbed", "\\t"), skipped("Two\\r\\nLines", "\\r"),
        skipped("Line\\nFeed", "\\n")}},
      {"a second function of a name keeps its own help in the message",
       {Function("A", "(x) - the first"), Function("B"), Function("A", "(y, z) - the second"),
        Function("B"), Function("A", "(w)")},
       {"A", "B"},
       {warning("Function 'A' skipped: a function of the same name comes first! Its own help: "
                "A(y, z) - the second"),
        warning("Function 'B' skipped: a function of the same name comes first!"),
        warning("Function 'A' skipped: a function of the same name comes first! Its own help: "
                "A(w)")}},
      {"names that differ only in letter case",
       {Function("Draw"), Function("DRAW"), Function("Other"), Function("draw")},
       {"Draw", "DRAW", "Other", "draw"},
       {caseOnly("DRAW", "Draw"), caseOnly("draw", "Draw")}},
      {"device names of Windows, in any letter case",
       {Function("CON"), Function("nul"), Function("Aux"), Function("PRN"), Function("COM1"),
        Function("lpt9"), Function("COM0"), Function("LPT10"), Function("CONSOLE"),
        Function("Com")},
       {"CON", "nul", "Aux", "PRN", "COM1", "lpt9", "COM0", "LPT10", "CONSOLE", "Com"},
       {device("CON"), device("nul"), device("Aux"), device("PRN"), device("COM1"),
        device("lpt9")}},
  };
  for (const auto& [what, entries, pages, reports] : cases) {
    SCOPED_TRACE(what);
    Names expected = {"Index"};
    expected.insert(expected.end(), pages.begin(), pages.end());
    expected.push_back("License");
    for (const bool keep : {false, true}) {
      auto project = keep ? MakeProject({"Index", "Old", "License*"}) : HelpProject{};
      // A list a project file held gives way to the one the extracted rows give.
      if (keep) project.KeepList(0, "Old\r\nas the file held it");
      ASSERT_TRUE(Extract(project, Library(entries), keep));
      EXPECT_EQ(reports_, reports);
      EXPECT_EQ(StoreNames(project), expected);
      std::string functions;
      for (const auto& page : pages) functions += (functions.empty() ? "" : "\r\n") + page;
      EXPECT_EQ(project.Body(0), functions);
    }
  }
  // The first function of a name keeps its page and its help.
  HelpProject project;
  ASSERT_TRUE(Extract(project, Library(cases[1].entries), false));
  EXPECT_EQ(TopicNamed(project, "A").summary, "A(x)");
  EXPECT_EQ(TopicNamed(project, "A").body, "the first");
}

TEST_F(LibraryTopicsTest, mergeKeepsTheAuthorsDisplayOrder) {
  auto project = MakeProject({"Index", "A", "B", "C", "Group#", "Notes*", "License*"});
  // The author moved B up and the group before A: Index, B, Group, A, C, Notes, License.
  project.SetItems({});
  for (const char* row : {"Index", "B", "Group", "A", "C", "Notes", "License"}) {
    project.InsertItem(project.ItemCount(), {row, project.FindTopic(row)->icon});
  }
  // C leaves the library; N and M are new.
  ASSERT_TRUE(Extract(project,
                      Library({Function("A"), Function("N"), Function("B"), Function("M")}), true));
  EXPECT_EQ(RowTexts(project), (Names{"Index", "B", "Group", "A", "N", "M", "Notes", "License"}));
  EXPECT_EQ(StoreNames(project), (Names{"Index", "A", "B", "Group", "N", "M", "Notes", "License"}));
  // The functions lists follow the kept display order.
  EXPECT_EQ(ListNamed(project, "Index"), "B\r\nA\r\nN\r\nM");
  EXPECT_EQ(ListNamed(project, "Group"), "A\r\nN\r\nM");
  EXPECT_EQ(project.selectedRow(), 0);

  // Without a user topic the new pages go last; a fresh build follows the store again.
  auto plain = MakeProject({"Index", "B", "A"});
  ASSERT_TRUE(Extract(plain, Library({Function("A"), Function("B"), Function("Z")}), true));
  EXPECT_EQ(RowTexts(plain), (Names{"Index", "B", "A", "Z"}));
  ASSERT_TRUE(Extract(plain, Library({Function("A"), Function("B")}), false));
  EXPECT_EQ(RowTexts(plain), (Names{"Index", "A", "B", "License"}));
}

}  // namespace
}  // namespace qs::library
