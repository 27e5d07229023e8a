// Nothing is written or deleted outside the folder the program owns: not by a library whose
// function names try to leave the help folder, not through links planted in the help folder,
// and not when the files of a build are erased after something took their place.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "library/librarytopics.h"
#include "output/helpfolder.h"
#include "sandbox.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;
using testsupport::Function;

// Everything in the sandbox but the help folder and the library the test wrote.
Picture Outside(const TempFolder& box) {
  return Without(Without(TakePicture(box.Path()), "help/"), "lib/");
}

struct PipelineResult {
  bool built = false;
  text::Reports reports;
  output::BuildRecord record;
};

// The whole road of a library into a help folder: the file is read, the topics are built
// from it and the help folder is written. A name with a slash or a backslash gets no page from
// the library, which says so; a project file can still hold one, so it is added as a loaded
// project would carry it, and the writer must keep its page inside the folder all the same.
PipelineResult ExtractAndBuild(const TempFolder& box, const std::vector<std::string>& names) {
  testsupport::LibraryRecipe recipe;
  for (const auto& name : names) recipe.entries.push_back(Function(name, "(x) - text"));
  const std::string library = box.Path("lib/MyLib");
  fs::create_directories(box.Path("lib"));
  EXPECT_TRUE(testsupport::WriteLibraryFile(library, recipe));

  PipelineResult result;
  project::HelpProject project;
  project.libraryFile = library;
  library::LibraryInfo info;
  text::Reports extraction;
  EXPECT_TRUE(library::BuildTopicsFromLibrary(project, library, false, info, extraction));
  std::size_t skipped = 0;
  for (const auto& name : names) {
    if (project.FindTopic(name) != nullptr) continue;
    EXPECT_NE(name.find_first_of("/\\"), std::string::npos) << name;
    project.InsertTopic(project.TopicCount() - 1, testsupport::MakeTopic(name));
    ++skipped;
  }
  EXPECT_EQ(extraction.size(), skipped);
  EXPECT_EQ(project.TopicCount(), names.size() + 2);  // every hostile name was read
  project.RefillItemsFromStore();
  result.built =
      !output::BuildHelpFolder(project, {}, box.Path("help/"), result.record, result.reports)
           .empty();
  return result;
}

TEST(LibraryPathSafety, functionNamesThatLeaveTheHelpFolderGetNoPage) {
  const std::string leaving[] = {
      "..",     "../victim", "..\\victim", "a/../../victim", "a\\..\\..\\victim",
      "sub/..", "C:victim",  "c:\\victim", "Z:/victim"};
  for (const auto& name : leaving) {
    SCOPED_TRACE(name);
    TempFolder box;
    box.Write("victim.html", "precious");
    box.Write("help/victim.html", "inside");
    const Picture outside = Outside(box);

    const auto result = ExtractAndBuild(box, {"Good", name});
    EXPECT_FALSE(result.built);
    ASSERT_FALSE(result.reports.empty());
    EXPECT_EQ(result.reports.back().title, "Error");
    EXPECT_TRUE(result.reports.back().text.starts_with("Could not create file '"));
    EXPECT_EQ(Outside(box), outside);

    output::EraseBuildFiles(result.record);
    EXPECT_EQ(Outside(box), outside);
    EXPECT_EQ(box.Read("help/victim.html"), "inside");
  }
}

TEST(LibraryPathSafety, absoluteAndSeparatorNamesLandInsideTheHelpFolder) {
  TempFolder box;
  box.Write("victim.html", "precious");
  const Picture outside = Outside(box);
  // An absolute path into the sandbox itself, names of separators only (nothing left after
  // the leading separator), a network path, and dots that are no parent step.
  const std::string absolute = box.Path("victim");
  const auto result = ExtractAndBuild(
      box, {absolute, "/", "\\", "//", "\\\\server\\share\\x", "./dot", "...", "..x", "x.."});
  EXPECT_TRUE(result.built);
  EXPECT_TRUE(result.reports.empty());
  for (const auto& file : result.record.files) {
    EXPECT_TRUE(file.starts_with(box.Path("help/"))) << file;
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
  }
  EXPECT_TRUE(fs::is_regular_file(box.Path("help") + absolute + ".html"));
  EXPECT_EQ(Outside(box), outside);

  output::EraseBuildFiles(result.record);
  EXPECT_EQ(Outside(box), outside);
  for (const auto& [relative, content] : TakePicture(box.Path("help/"))) {
    EXPECT_EQ(content, "dir") << relative;  // only the folders the build made are left
  }
}

TEST(LibraryPathSafety, linksPlantedInTheHelpFolderAreNotFollowed) {
  TempFolder box;
  box.Write("target.html", "precious");
  box.Write("outside/x.html", "precious too");
  fs::create_directories(box.Path("help"));
  fs::create_symlink(box.Path("target.html"), box.Path("help/Linked.html"));
  fs::create_symlink(box.Path("outside"), box.Path("help/out"));
  const Picture outside = Outside(box);

  // The page of "Linked" replaces the link; "out/x" would be written through the folder link.
  const auto result = ExtractAndBuild(box, {"Linked", "out/x"});
  EXPECT_FALSE(result.built);
  EXPECT_EQ(result.reports.back(),
            text::ErrorReport("Could not create file '" + box.Path("help/out/x.html") + "'!"));
  EXPECT_EQ(Outside(box), outside);
  EXPECT_FALSE(fs::is_symlink(box.Path("help/Linked.html")));

  output::EraseBuildFiles(result.record);
  output::EraseBuildFiles({box.Path("help/"), {box.Path("help/out/x.html")}});
  EXPECT_EQ(Outside(box), outside);
  EXPECT_FALSE(fs::exists(box.Path("help/Linked.html")));
}

TEST(EraseSafety, aPageSwappedForALinkLeadsTheEraseNowhere) {
  TempFolder box;
  auto project = testsupport::MakeProject({"Index", "A", "License*"});
  project.libraryFile = "/libs/MyLib";
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(project, {}, box.Path("help/"), record, reports).empty());

  // While the build's files wait to be erased, a page is replaced by a link to a file of
  // someone else's, and another page by a hard link to one.
  box.Write("victim/A.html", "precious");
  box.Write("victim/Index.html", "precious too");
  fs::remove(box.Path("help/A.html"));
  fs::create_symlink(box.Path("victim/A.html"), box.Path("help/A.html"));
  fs::remove(box.Path("help/Index.html"));
  fs::create_hard_link(box.Path("victim/Index.html"), box.Path("help/Index.html"));
  const Picture victim = TakePicture(box.Path("victim/"));

  output::EraseBuildFiles(record);
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);
  EXPECT_TRUE(fs::is_symlink(box.Path("help/A.html")));
  EXPECT_FALSE(fs::exists(box.Path("help/License.html")));
}

TEST(EraseSafety, aSubFolderSwappedForALinkLosesNothingBehindIt) {
  TempFolder box;
  auto project = testsupport::MakeProject({"Index", "A", "sub/deeper/B", "License*"});
  project.libraryFile = "/libs/MyLib";
  output::BuildRecord record;
  text::Reports reports;
  const std::string help = box.Path("help/");
  ASSERT_FALSE(output::BuildHelpFolder(project, {}, help, record, reports).empty());

  // The sub-folder of a page is replaced by a link to files of the same names.
  for (const auto& file : record.files) {
    box.Write("victim/" + file.substr(help.size()), "precious");
  }
  fs::rename(box.Path("help/sub"), box.Path("moved"));
  fs::create_directory_symlink(box.Path("victim/sub"), box.Path("help/sub"));
  const Picture victim = TakePicture(box.Path("victim/"));

  output::EraseBuildFiles(record);
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);
  EXPECT_TRUE(fs::is_symlink(box.Path("help/sub")));
  EXPECT_FALSE(fs::exists(box.Path("help/A.html")));
  EXPECT_TRUE(fs::exists(box.Path("moved/deeper/B.html")));
}

}  // namespace
}  // namespace qs::hardening
