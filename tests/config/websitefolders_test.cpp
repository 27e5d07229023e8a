#include "config/websitefolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::config {
namespace {

namespace fs = std::filesystem;

std::string Project(int n) {
  return (testsupport::kOnWindows ? "C:\\p\\" : "/p/") + std::to_string(n) + ".qsp";
}

TEST(WebsiteFolders, eachProjectKeepsItsLastFolderInAFileBesideTheSettings) {
  testsupport::TempFolder settings;
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(1)), "");
  ASSERT_TRUE(RecordWebsiteFolder(settings.Path(), Project(1), "/sites/one"));
  ASSERT_TRUE(RecordWebsiteFolder(settings.Path(), Project(2), "/sites/two"));
  ASSERT_TRUE(RecordWebsiteFolder(settings.Path(), Project(1), "/sites/one again"));
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(1)), "/sites/one again");
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(2)), "/sites/two");
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(3)), "");
  // The project used last first, one line each.
  EXPECT_EQ(
      settings.Read("QuillSmith.websites"),
      testsupport::CrLfLines({Project(1) + "\t/sites/one again", Project(2) + "\t/sites/two"}));
  // Only the author may read it.
  if (!testsupport::kOnWindows) {
    EXPECT_EQ(fs::status(settings.Path("QuillSmith.websites")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
  }
}

TEST(WebsiteFolders, theListIsCappedAndWhatALineCannotHoldIsRefused) {
  testsupport::TempFolder settings;
  for (int n = 0; n < 70; ++n) {
    ASSERT_TRUE(RecordWebsiteFolder(settings.Path(), Project(n), "/s/" + std::to_string(n)));
  }
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(69)), "/s/69");
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(6)), "/s/6");
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(5)), "");

  const std::string before = settings.Read("QuillSmith.websites");
  for (const auto& [project, folder] : std::vector<std::pair<std::string, std::string>>{
           {"", "/s"}, {Project(1), ""}, {Project(1), "/a\tb"}, {Project(1), "/a\r\nb"}}) {
    EXPECT_FALSE(RecordWebsiteFolder(settings.Path(), project, folder)) << folder;
  }
  EXPECT_EQ(settings.Read("QuillSmith.websites"), before);
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), ""), "");
}

TEST(WebsiteFolders, somethingInTheWayIsLeftAlone) {
  testsupport::TempFolder settings;
  fs::create_directories(settings.Path("QuillSmith.websites"));
  EXPECT_FALSE(RecordWebsiteFolder(settings.Path(), Project(1), "/s"));
  EXPECT_TRUE(fs::is_directory(settings.Path("QuillSmith.websites")));
  EXPECT_EQ(LastWebsiteFolder(settings.Path(), Project(1)), "");
}

}  // namespace
}  // namespace qs::config
