#include "output/preview.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/helpfolder.h"
#include "platform/tempfolder.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;

TEST(EndPreview, removesThePreviewBuildAndItsFolder) {
  TempFolder scratch;
  const std::string preview = platform::MakePreviewFolderIn(scratch.Path());
  ASSERT_FALSE(preview.empty());
  auto project = testsupport::MakeProject({"Index", "A", "deep/er/B", "License*"});
  BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(BuildHelpFolder(project, {}, preview, record, reports).empty());
  EndPreview(preview, record);
  EXPECT_FALSE(fs::exists(preview));
  EXPECT_TRUE(fs::exists(scratch.Path()));
}

TEST(EndPreview, leavesAHelpFolderBuiltMeanwhileAndForeignFilesAlone) {
  TempFolder scratch;
  const std::string preview = platform::MakePreviewFolderIn(scratch.Path());
  auto project = testsupport::MakeProject({"Index", "A"});
  BuildRecord record;
  text::Reports reports;
  BuildHelpFolder(project, {}, preview, record, reports);
  // The help folder build replaced the record; the preview's own files are left.
  BuildHelpFolder(project, {}, scratch.Path() + "help/", record, reports);
  testsupport::WriteBytes(preview + "mine.txt", "x");
  EndPreview(preview, record);
  EXPECT_TRUE(fs::exists(scratch.Path() + "help/A.html"));
  EXPECT_TRUE(fs::exists(preview + "mine.txt"));  // the folder stays: it is not empty
}

TEST(EndPreview, doesNothingForEmptyTextsFilesAndLinks) {
  TempFolder scratch;
  const std::string folder = scratch.Path() + "real/";
  auto project = testsupport::MakeProject({"Index", "A"});
  BuildRecord record;
  text::Reports reports;
  BuildHelpFolder(project, {}, folder, record, reports);
  std::error_code linkError;
  fs::create_directory_symlink(scratch.Path() + "real", scratch.Path() + "link", linkError);
  // Wine makes no links: there only the texts and the file are tried.
  ASSERT_TRUE(!linkError || testsupport::kOnWindows) << linkError.message();
  EndPreview("", record);
  EndPreview(folder + "A.html", record);
  EndPreview(scratch.Path() + "link", record);
  for (const auto& file : record.files) EXPECT_TRUE(fs::exists(file)) << file;
}

}  // namespace
}  // namespace qs::output
