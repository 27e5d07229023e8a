#include "flows/projectflows.h"

#include <gtest/gtest.h>

#include <string>

#include "flows/diskports.h"
#include "library/librarytopics.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::flows {
namespace {

using testsupport::Function;

// An extraction merges exactly when the library says so, whichever way the flow is taken.
TEST(Extraction, mergesOnlyWhenAskedToKeepTheDataAndThereArePages) {
  testsupport::TempFolder temp;
  testsupport::LibraryRecipe recipe;
  recipe.entries.push_back(Function("Alpha", "(x) - first"));
  recipe.entries.push_back(Function("Beta", "(y) - second"));
  const std::string library = temp.Path("MyLib");
  ASSERT_TRUE(testsupport::WriteLibraryFile(library, recipe));
  struct Case {
    bool keepData;
    bool withPages;
  };
  for (const Case c :
       {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
    project::HelpProject project;
    if (c.withPages) project = testsupport::MakeProject({"Index", "Alpha", "Gone", "Mine*"});
    project.libraryFile = library;
    const bool merges = c.keepData && c.withPages;
    ASSERT_EQ(library::MergesInto(project, c.keepData), merges);

    DiskLibraryReader reader;
    const PreparedExtraction aside = PrepareExtraction(reader, project, c.keepData);
    ASSERT_TRUE(aside.succeeded);
    EXPECT_EQ(aside.merged, merges);
    // A merge keeps the author's own page; a fresh build replaces every page.
    EXPECT_EQ(aside.result.FindTopic("Mine") != nullptr, merges);
    EXPECT_EQ(aside.changes.removed,
              c.withPages ? std::vector<std::string>{"Gone"} : std::vector<std::string>{});

    project::HelpProject inPlace = project;
    const PreparedExtraction made = ExtractLibrary(reader, inPlace, c.keepData);
    EXPECT_EQ(made.merged, merges);
    EXPECT_EQ(made.changes, aside.changes);
    EXPECT_EQ(made.changesLine, aside.changesLine);
  }
}

TEST(OpenProject, aFileThatDoesNotLoadChangesNothingAndSaysWhy) {
  testsupport::TempFolder temp;
  DiskProjectFiles files(temp.Path());
  project::HelpProject project = testsupport::MakeProject({"Index", "A"});
  project.projectFile = temp.Path("kept.qsp");
  const ProjectOutcome opened = OpenProject(files, project, temp.Path("missing.qsp"));
  EXPECT_FALSE(opened.succeeded);
  ASSERT_FALSE(opened.reports.empty());
  EXPECT_EQ(opened.reports.back().text, "Could not read file '" + temp.Path("missing.qsp") + "'!");
  EXPECT_EQ(project.projectFile, temp.Path("kept.qsp"));
  EXPECT_NE(project.FindTopic("A"), nullptr);
}

}  // namespace
}  // namespace qs::flows
