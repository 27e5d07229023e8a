#include "platform/programlocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/purebasicfolder.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;

TEST(ProgramLocation, programFolderIsTheFolderOfThisTestWithItsSeparator) {
  const std::string path = ProgramPath();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(fs::is_regular_file(path));
  EXPECT_EQ(ProgramFolder(), fs::path(path).parent_path().string() + testsupport::Native("/"));
}

TEST(SettingsFolder, programFolderWhenWritableElseTheConfigFolder) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Windows keeps the settings beside the program";
  EXPECT_EQ(SettingsFolderFor("/build/", true, "/cfg", "/home/u"), "/build/");
  EXPECT_EQ(SettingsFolderFor("/usr/bin/", false, "/cfg", "/home/u"), "/cfg/QuillSmith/");
  EXPECT_EQ(SettingsFolderFor("/usr/bin/", false, "", "/home/u"), "/home/u/.config/QuillSmith/");
}

class PureBasicFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "pb" / "compilers");
    fs::create_directories(root / "home" / "purebasic");
  }
  testsupport::TempFolder temp_;
  fs::path root{temp_.Path()};
};

TEST_F(PureBasicFolderTest, homeVariableThenCompilerOnPathThenHomeFolder) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Windows finds PureBasic in the registry";
  const std::string pb = (root / "pb").string();
  const std::string home = (root / "home").string();
  EXPECT_EQ(FindPureBasicFolderFrom(pb, "", ""), pb + "/");
  EXPECT_EQ(FindPureBasicFolderFrom(pb + "/", "", ""), pb + "/");

  const fs::path compiler = root / "pb" / "compilers" / "pbcompiler";
  { std::ofstream(compiler) << "#!/bin/sh\n"; }
  fs::permissions(compiler, fs::perms::owner_all);
  // A home variable naming no folder is passed over.
  EXPECT_EQ(FindPureBasicFolderFrom((root / "nowhere").string(),
                                    "/nonexistent:" + (root / "pb" / "compilers").string(), home),
            pb + "/");
  if (!fs::exists("/opt/purebasic")) {
    EXPECT_EQ(FindPureBasicFolderFrom("", "/nonexistent", home), home + "/purebasic/");
    EXPECT_EQ(FindPureBasicFolderFrom("", "", (root / "empty").string()), "");
  }
}

}  // namespace
}  // namespace qs::platform
