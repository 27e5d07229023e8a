// Nothing is written or deleted outside the folder the program owns: not by a library whose
// function names try to leave the help folder, not through links planted in the help folder,
// and not in a preview folder that is a link or belongs to someone else.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "library/librarytopics.h"
#include "output/helpfolder.h"
#include "output/preview.h"
#include "platform/tempfolder.h"
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

TEST(PreviewFolderSafety, aLinkOrAForeignFolderIsNeverUsed) {
  TempFolder box;
  box.Write("elsewhere/Index.html", "precious");
  fs::create_directories(box.Path("tmp-link"));
  fs::create_symlink(box.Path("elsewhere"), box.Path("tmp-link/~QuillSmith~"));
  EXPECT_EQ(platform::MakePreviewFolderIn(box.Path("tmp-link/")), "");

  box.Write("tmp-file/~QuillSmith~", "a file");
  EXPECT_EQ(platform::MakePreviewFolderIn(box.Path("tmp-file/")), "");

  if (geteuid() == 0) {  // only root can hand a folder to another user
    fs::create_directories(box.Path("tmp-foreign/~QuillSmith~"));
    ASSERT_EQ(::chown(box.Path("tmp-foreign/~QuillSmith~").c_str(), 65534, 65534), 0);
    EXPECT_EQ(platform::MakePreviewFolderIn(box.Path("tmp-foreign/")), "");
  }

  const std::string fresh = platform::MakePreviewFolderIn(box.Path("tmp/"));
  ASSERT_EQ(fresh, box.Path("tmp/~QuillSmith~/"));
  struct stat info {};
  ASSERT_EQ(::lstat(box.Path("tmp/~QuillSmith~").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(box.Read("elsewhere/Index.html"), "precious");
}

TEST(PreviewFolderSafety, aPreviewFolderSwappedForALinkLosesNothingWhenThePreviewEnds) {
  TempFolder box;
  const std::string preview = platform::MakePreviewFolderIn(box.Path("tmp/"));
  ASSERT_FALSE(preview.empty());
  auto project = testsupport::MakeProject({"Index", "A", "sub/B", "License*"});
  project.libraryFile = "/libs/MyLib";
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(project, {}, preview, record, reports).empty());

  // While the preview is open, its folder is replaced by a link to files of the same names.
  for (const auto& file : record.files) {
    box.Write("victim/" + file.substr(preview.size()), "precious");
  }
  fs::rename(box.Path("tmp/~QuillSmith~"), box.Path("tmp/moved"));
  fs::create_symlink(box.Path("victim"), box.Path("tmp/~QuillSmith~"));
  const Picture victim = TakePicture(box.Path("victim/"));

  output::EndPreview(preview, record);
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);
  EXPECT_TRUE(fs::is_symlink(box.Path("tmp/~QuillSmith~")));

  // The real folder, back in place, is cleaned and removed.
  fs::remove(box.Path("tmp/~QuillSmith~"));
  fs::rename(box.Path("tmp/moved"), box.Path("tmp/~QuillSmith~"));
  output::EndPreview(preview, record);
  EXPECT_FALSE(fs::exists(box.Path("tmp/~QuillSmith~")));
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);
}

}  // namespace
}  // namespace qs::hardening
