#include "config/recentprojects.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace {

using qs::config::ReadRecentProjects;
using qs::config::RecordRecentProject;
using qs::config::WithRecentProject;

class RecentProjectsTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
};

// A project's path as the list keeps it: absolute, in the system's own form.
std::string Project(int n) {
  return (qs::testsupport::kOnWindows ? "C:\\p\\" : "/p/") + std::to_string(n) + ".qsp";
}

std::vector<std::string> Paths(std::initializer_list<int> numbers) {
  std::vector<std::string> paths;
  for (const int n : numbers) paths.push_back(Project(n));
  return paths;
}

// The file's text for these projects, one a line.
std::string Lines(std::initializer_list<int> numbers) {
  std::string text;
  for (const int n : numbers) text += Project(n) + "\r\n";
  return text;
}

// Ten projects used one after the other, then the third again: most recent first, each once,
// the eight newest kept, in a file of CR LF lines.
TEST_F(RecentProjectsTest, keepsTheEightMostRecentFirstEachOnce) {
  for (int n = 1; n <= 10; ++n) RecordRecentProject(temp_.Path(), Project(n));
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({10, 9, 8, 7, 6, 5, 4, 3}));

  const auto list = RecordRecentProject(temp_.Path(), Project(3));
  EXPECT_EQ(list, Paths({3, 10, 9, 8, 7, 6, 5, 4}));
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), list);
  EXPECT_EQ(temp_.Read("QuillSmith.recent"), Lines({3, 10, 9, 8, 7, 6, 5, 4}));

  // Using the newest again changes nothing.
  EXPECT_EQ(RecordRecentProject(temp_.Path(), Project(3)), list);
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
  // In the system's own form, as the path is made absolute.
  const auto folder = std::filesystem::path(temp_.Path()).parent_path();
  EXPECT_EQ(list, std::vector<std::string>{(folder / "My.qsp").string()});
  EXPECT_EQ(after, list);
}

// A list edited by hand: bare line feeds, blank lines, repeats and more than eight entries.
TEST_F(RecentProjectsTest, aHandEditedFileIsReadTidied) {
  temp_.Write("QuillSmith.recent", Project(1) + "\n\n" + Project(2) + "\r\n" + Project(1) + "\r" +
                                       Project(3) + "\n" + Project(4) + "\n" + Project(5) + "\n" +
                                       Project(6) + "\n" + Project(7) + "\n" + Project(8) + "\n" +
                                       Project(9) + "\n");
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({1, 2, 3, 4, 5, 6, 7, 8}));
  RecordRecentProject(temp_.Path(), Project(9));
  EXPECT_EQ(ReadRecentProjects(temp_.Path()), Paths({9, 1, 2, 3, 4, 5, 6, 7}));
}

// What the file cannot hold, or a file that is not a list of ours, is never written over.
TEST_F(RecentProjectsTest, neitherALineBreakNorAForeignFileIsWrittenOver) {
  RecordRecentProject(temp_.Path(), Project(1));
  EXPECT_EQ(RecordRecentProject(temp_.Path(), "/p/a\nb.qsp"), Paths({1}));
  EXPECT_EQ(RecordRecentProject(temp_.Path(), ""), Paths({1}));
  EXPECT_EQ(temp_.Read("QuillSmith.recent"), Lines({1}));

  const std::string huge(qs::config::kRecentProjectsMaxBytes + 1, 'x');
  temp_.Write("QuillSmith.recent", huge);
  EXPECT_TRUE(ReadRecentProjects(temp_.Path()).empty());
  EXPECT_TRUE(RecordRecentProject(temp_.Path(), Project(2)).empty());
  EXPECT_EQ(temp_.Read("QuillSmith.recent"), huge);

#ifndef _WIN32
  // A pipe would block the reader for ever.
  std::filesystem::remove(temp_.Path("QuillSmith.recent"));
  ASSERT_EQ(mkfifo(temp_.Path("QuillSmith.recent").c_str(), 0600), 0);
  EXPECT_TRUE(RecordRecentProject(temp_.Path(), Project(2)).empty());
  EXPECT_TRUE(std::filesystem::is_fifo(temp_.Path("QuillSmith.recent")));
#endif
}

}  // namespace
