// Another user who may write in the help folder races the build: a second process keeps
// replacing the files the build writes by links to someone's files elsewhere, and keeps
// exchanging a sub-folder of the help folder with a link to a folder elsewhere.
// Whatever the timing, nothing outside the help folder may change, through the build or
// through erasing its files afterwards.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

// The pages the build writes at the top of the help folder and in its sub-folder "sub".
const std::vector<std::string> kTopFiles = {"MyLib.hhp", "MyLib.hhc",    "Index.html",
                                            "A.html",    "License.html", "MyLib library.html"};
const std::vector<std::string> kSubFiles = {"B.html"};

// The one of the two sub-folder names that is the real folder just now.
std::string RealSubFolder(const std::string& help) {
  struct stat info {};
  if (::lstat((help + "sub").c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return help + "sub/";
  return help + "sub-link/";
}

// Runs the swapping in a child process for `rounds` rounds and returns its id. In each round
// every file name is made a link to the victim's file of that name, and the sub-folder is
// exchanged with a link to the victim's folder (atomically, so the name is never missing).
pid_t StartSwapper(const TempFolder& box, int rounds) {
  const std::string help = box.Path("help/");
  const std::string victim = box.Path("victim/");
  fs::create_directories(help + "sub");
  fs::create_directory_symlink(victim + "sub", help + "sub-link");
  const pid_t child = fork();
  if (child != 0) return child;
  alarm(60);  // never outlives a stuck test
  for (int round = 0; round < rounds; ++round) {
    for (const auto& name : kTopFiles) {
      ::unlink((help + name).c_str());
      [[maybe_unused]] const int linked = ::symlink((victim + name).c_str(), (help + name).c_str());
    }
    // Through the real folder only: through the link the swapper would change the victim.
    const std::string sub = RealSubFolder(help);
    for (const auto& name : kSubFiles) {
      ::unlink((sub + name).c_str());
      [[maybe_unused]] const int linked =
          ::symlink((victim + "sub/" + name).c_str(), (sub + name).c_str());
    }
    ::renameat2(AT_FDCWD, (help + "sub").c_str(), AT_FDCWD, (help + "sub-link").c_str(),
                RENAME_EXCHANGE);
  }
  _exit(0);
}

// Whether the swapper has ended (reaped); a child that ended in error fails the test.
bool Ended(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, WNOHANG) != child) return false;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return true;
}

TEST(HelpFolderRaces, linksAndFoldersSwappedDuringBuildsNeverLetAPageOut) {
  TempFolder box;
  for (const auto& name : kTopFiles) box.Write("victim/" + name, "precious " + name);
  for (const auto& name : kSubFiles) box.Write("victim/sub/" + name, "precious sub " + name);
  const Picture victim = TakePicture(box.Path("victim/"));
  auto project = testsupport::MakeProject({"Index", "A", "sub/B", "License*"});
  project.libraryFile = "/libs/MyLib";
  project.TopicAt(0).title = "MyLib library";

  const pid_t swapper = StartSwapper(box, 4000);
  ASSERT_GT(swapper, 0);
  int builds = 0;
  int completed = 0;
  bool swapperEnded = false;
  // Bounded: the swapper's rounds end it, then one more build runs; the builds are capped too.
  while (!swapperEnded && builds < 20000) {
    swapperEnded = Ended(swapper);
    output::BuildRecord record;
    text::Reports reports;
    if (!output::BuildHelpFolder(project, {}, box.Path("help/"), record, reports).empty()) {
      ++completed;
    }
    text::Reports unique;
    output::WriteUniqueHtmlFile(project, box.Path("help/"), unique);
    output::EraseBuildFiles(record);
    ++builds;
  }
  if (!swapperEnded) {
    kill(swapper, SIGKILL);
    waitpid(swapper, nullptr, 0);
  }
  EXPECT_GT(builds, 1);
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);

  // With the swapping over, the same build goes through and writes regular files only.
  fs::remove_all(box.Path("help/sub"));  // a link is removed, not followed
  fs::remove_all(box.Path("help/sub-link"));
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(project, {}, box.Path("help/"), record, reports).empty());
  for (const auto& file : record.files) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file))) << file;
    EXPECT_EQ(fs::hard_link_count(file), 1u) << file;
  }
  EXPECT_EQ(TakePicture(box.Path("victim/")), victim);
  RecordProperty("builds", builds);
  RecordProperty("completeBuilds", completed);
}

}  // namespace
}  // namespace qs::hardening
