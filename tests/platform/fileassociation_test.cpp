#include "platform/fileassociation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;

// Every file below a folder with its content, to compare whole trees.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    files[fs::relative(entry.path(), root).string()] = content.str();
  }
  return files;
}

class AssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testsupport::kOnWindows)
      GTEST_SKIP() << "the freedesktop association; Windows writes the registry";
  }

  testsupport::TempFolder temp_;
  fs::path root{temp_.Path()};
  AssociationFolders folders{(root / "data").string(), (root / "config").string(), false};
};

TEST_F(AssociationTest, registeringTwiceGivesTheSameFilesAndUnregisterRemovesThem) {
  ASSERT_TRUE(RegisterProjectFilesIn(folders, "/opt/My Tools/quillsmith"));
  const auto once = Snapshot(root);
  ASSERT_TRUE(RegisterProjectFilesIn(folders, "/opt/My Tools/quillsmith"));
  EXPECT_EQ(Snapshot(root), once);

  ASSERT_EQ(once.size(), 3u);
  const std::string desktop = once.at("data/applications/quillsmith.desktop");
  EXPECT_NE(desktop.find("Exec=\"/opt/My Tools/quillsmith\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("MimeType=application/x-quillsmith-project;\n"), std::string::npos);
  EXPECT_NE(once.at("data/mime/packages/quillsmith.xml").find("<glob pattern=\"*.qsp\"/>"),
            std::string::npos);
  EXPECT_EQ(once.at("config/mimeapps.list"),
            "[Default Applications]\napplication/x-quillsmith-project=quillsmith.desktop\n");

  ASSERT_TRUE(UnregisterProjectFilesIn(folders));
  EXPECT_TRUE(Snapshot(root).empty());
}

TEST_F(AssociationTest, unregisterWithNothingRegisteredChangesNothing) {
  fs::create_directories(root / "config");
  std::ofstream(root / "config" / "mimeapps.list")
      << "[Default Applications]\ntext/plain=editor.desktop\n";
  const auto before = Snapshot(root);
  EXPECT_TRUE(UnregisterProjectFilesIn(folders));
  EXPECT_EQ(Snapshot(root), before);
}

TEST_F(AssociationTest, theUsersOtherDefaultsSurviveRegisterAndUnregister) {
  fs::create_directories(root / "config");
  const std::string own =
      "[Added Associations]\ntext/x-c=ed.desktop\n[Default Applications]\ntext/plain=ed.desktop\n";
  std::ofstream(root / "config" / "mimeapps.list") << own;
  ASSERT_TRUE(RegisterProjectFilesIn(folders, "/usr/bin/quillsmith"));
  EXPECT_EQ(Snapshot(root).at("config/mimeapps.list"),
            "[Added Associations]\ntext/x-c=ed.desktop\n[Default Applications]\n"
            "application/x-quillsmith-project=quillsmith.desktop\ntext/plain=ed.desktop\n");
  ASSERT_TRUE(UnregisterProjectFilesIn(folders));
  EXPECT_EQ(Snapshot(root).at("config/mimeapps.list"), own);
}

TEST(DesktopExec, quotesCharactersTheEntryFormatReserves) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "the desktop entry format is freedesktop's";
  EXPECT_EQ(DesktopExecLine("/a b/qs"), "\"/a b/qs\" %f");
  EXPECT_EQ(DesktopExecLine("/a$b/q\"s"), "\"/a\\\\$b/q\\\\\"s\" %f");
  EXPECT_EQ(DesktopExecLine("/100%/qs"), "\"/100%%/qs\" %f");
}

TEST_F(AssociationTest, noProgramPathRegistersNothing) {
  EXPECT_FALSE(RegisterProjectFilesIn(folders, ""));
  EXPECT_TRUE(Snapshot(root).empty());
}

}  // namespace
}  // namespace qs::platform
