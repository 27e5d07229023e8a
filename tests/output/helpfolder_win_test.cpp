// Help folders written the Windows way: drive letters, backslashes, and page names that
// would name another drive or a server.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "output/helpfolder.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::MakeProject;
using testsupport::Native;
using testsupport::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(HelpFolderOnWindows, aFolderWithADriveLetterAndBackslashesGetsEveryPageAndErasesThem) {
  TempFolder scratch;
  const std::string folder = Native(scratch.Path() + "help");  // "C:\...\help", no separator
  ASSERT_EQ(folder[1], ':');
  auto project = MakeProject({"Index", "A", "sub/B", "win\\C", "mixed/deep\\D"});
  project.libraryFile = "C:\\PureBasic\\PureLibraries\\UserLibraries\\MyLib";
  BuildRecord record;
  text::Reports reports;
  const std::string log = BuildHelpFolder(project, {}, folder, record, reports);
  EXPECT_TRUE(reports.empty());
  const std::string f = folder + "\\";
  const std::vector<std::string> files = {
      f + "MyLib.hhp",   f + "MyLib.hhc",   f + "Index.html",         f + "A.html",
      f + "sub\\B.html", f + "win\\C.html", f + "mixed\\deep\\D.html"};
  EXPECT_EQ(Lines(log), files);
  for (const auto& file : files) EXPECT_TRUE(fs::is_regular_file(file)) << file;

  EraseBuildFiles(record);
  for (const auto& file : files) EXPECT_FALSE(fs::exists(file)) << file;
}

// A name that starts a path of its own on Windows (another drive, the root of this one, a
// server) stays inside the folder or gets no page; nothing is written outside.
TEST(HelpFolderOnWindows, namesOfDrivesAndServersNeverLeadOutOfTheFolder) {
  for (const std::string name : {"D:\\Escape", "c:Escape", "C:/Escape", "..\\Escape",
                                 "sub\\..\\..\\Escape", "sub/..\\..\\Escape"}) {
    TempFolder scratch;
    const std::string folder = Native(scratch.Path() + "help/");
    BuildRecord record;
    text::Reports reports;
    EXPECT_EQ(BuildHelpFolder(MakeProject({"Index", name}), {}, folder, record, reports), "")
        << name;
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_EQ(reports[0].text, "Could not create file '" + folder + name + ".html'!");
    EXPECT_FALSE(fs::exists(Native(scratch.Path() + "Escape.html"))) << name;
  }
  TempFolder scratch;
  const std::string folder = Native(scratch.Path() + "help/");
  BuildRecord record;
  text::Reports reports;
  EXPECT_NE(BuildHelpFolder(MakeProject({"Index", "\\Rooted", "\\\\server\\share\\Page"}), {},
                            folder, record, reports),
            "");
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(fs::is_regular_file(folder + "Rooted.html"));
  EXPECT_TRUE(fs::is_regular_file(folder + "server\\share\\Page.html"));
}

// The root of a drive is a folder like any other, also while the program stands on that
// drive (where "C:" alone means the current folder there). Only in a throw-away Wine prefix,
// whose drive C: the test may write to.
TEST(HelpFolderOnWindows, theRootOfADriveTakesPagesInSubFolders) {
  const char* throwAway = std::getenv("QS_THROWAWAY_WINDOWS");
  if (throwAway == nullptr || std::string(throwAway) != "1") {
    GTEST_SKIP() << "writes to C:\\: set QS_THROWAWAY_WINDOWS=1 in a throw-away Wine prefix "
                    "(scripts/windows-check does)";
  }
  TempFolder scratch;
  const auto previous = fs::current_path();
  fs::current_path(scratch.Path());  // on drive C:
  auto project = MakeProject({"Index", "qs root test/A"});
  project.libraryFile = "QsRootTest";
  BuildRecord record;
  text::Reports reports;
  const std::string log = BuildHelpFolder(project, {}, "C:\\", record, reports);
  EXPECT_TRUE(reports.empty()) << reports[0].text;
  EXPECT_TRUE(fs::is_regular_file("C:\\qs root test\\A.html"));
  EraseBuildFiles(record);
  fs::current_path(previous);
  EXPECT_EQ(Lines(log), (std::vector<std::string>{"C:\\QsRootTest.hhp", "C:\\QsRootTest.hhc",
                                                  "C:\\Index.html", "C:\\qs root test\\A.html"}));
  for (const auto& file : record.files) EXPECT_FALSE(fs::exists(file)) << file;
  fs::remove("C:\\qs root test");
}

}  // namespace
}  // namespace qs::output
