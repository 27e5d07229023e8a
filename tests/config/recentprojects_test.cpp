#include "config/recentprojects.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempfolder.h"

namespace {

using qs::config::ReadRecentProjects;
using qs::config::RecordRecentProject;
using qs::config::WithRecentProject;

class RecentProjectsTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
};

std::vector<std::string> Paths(std::initializer_list<int> numbers) {
  std::vector<std::string> paths;
  for (const int n : numbers) paths.push_back("/p/" + std::to_string(n) + ".qsp");
  return paths;
}

// Ten projects used one after the other, then the third again: most recent first, each once,
// the eight newest kept, in a file of CR LF lines.
TEST_F(RecentProjectsTest, keepsTheEightMostRecentFirstEachOnce) {
  for (int n = 1; n <= 10; ++n)
    RecordRecentProject(temp_.Path(), "/p/" + std::to_string(n) + ".qsp");
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({10, 9, 8, 7, 6, 5, 4, 3}));

  const auto list = RecordRecentProject(temp_.Path(), "/p/3.qsp");
  EXPECT_EQ(list, Paths({3, 10, 9, 8, 7, 6, 5, 4}));
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), list);
  EXPECT_EQ(temp_.Read("QuillSmith.recent"),
            "/p/3.qsp\r\n/p/10.qsp\r\n/p/9.qsp\r\n/p/8.qsp\r\n/p/7.qsp\r\n/p/6.qsp\r\n"
            "/p/5.qsp\r\n/p/4.qsp\r\n");

  // Using the newest again changes nothing.
  EXPECT_EQ(RecordRecentProject(temp_.Path(), "/p/3.qsp"), list);
  EXPECT_EQ(WithRecentProject({}, "/x.qsp"), std::vector<std::string>{"/x.qsp"});
}

// A project named on the command line relative to the folder the program started in must be
// found again from anywhere; written another way, the same file is still one entry.
TEST_F(RecentProjectsTest, recordsAbsolutePathsSoAnotherSpellingIsTheSameEntry) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(temp_.Path());
  const auto list = RecordRecentProject(temp_.Path(), "sub/../My.qsp");
  RecordRecentProject(temp_.Path(), "My.qsp");
  const auto after = ReadRecentProjects(temp_.Path());
  std::filesystem::current_path(previous);
  EXPECT_EQ(list, std::vector<std::string>{temp_.Path("My.qsp")});
  EXPECT_EQ(after, list);
}

// A list edited by hand: bare line feeds, blank lines, repeats and more than eight entries.
TEST_F(RecentProjectsTest, aHandEditedFileIsReadTidied) {
  temp_.Write("QuillSmith.recent",
              "/p/1.qsp\n\n/p/2.qsp\r\n/p/1.qsp\r/p/3.qsp\n/p/4.qsp\n/p/5.qsp\n"
              "/p/6.qsp\n/p/7.qsp\n/p/8.qsp\n/p/9.qsp\n");
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({1, 2, 3, 4, 5, 6, 7, 8}));
  RecordRecentProject(temp_.Path(), "/p/9.qsp");
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({9, 1, 2, 3, 4, 5, 6, 7}));
}

// What the file cannot hold, or a file that is not a list of ours, is never written over.
TEST_F(RecentProjectsTest, neitherALineBreakNorAForeignFileIsWrittenOver) {
  RecordRecentProject(temp_.Path(), "/p/1.qsp");
  EXPECT_EQ(RecordRecentProject(temp_.Path(), "/p/a\nb.qsp"), Paths({1}));
  EXPECT_EQ(RecordRecentProject(temp_.Path(), ""), Paths({1}));
  EXPECT_EQ(temp_.Read("QuillSmith.recent"), "/p/1.qsp\r\n");

  const std::string huge(qs::config::kRecentProjectsMaxBytes + 1, 'x');
  temp_.Write("QuillSmith.recent", huge);
  EXPECT_TRUE(ReadRecentProjects(temp_.Path()).empty());
  EXPECT_TRUE(RecordRecentProject(temp_.Path(), "/p/2.qsp").empty());
  EXPECT_EQ(temp_.Read("QuillSmith.recent"), huge);
  // A pipe in its place is tried by the hardening tests, which may make one.
}

}  // namespace
