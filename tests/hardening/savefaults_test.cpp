// Saves of what the author owns (the project file) and of what the user relies on (settings
// and language files) under real failing conditions: a disk that fills up midway, a folder
// where the file should be, a folder that does not exist, a process killed midway. The old
// file must stay byte for byte and nothing half-written may be left beside it; a file that a
// kill tore is never read as if it were whole.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "app/coreservices.h"
#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/recentprojects.h"
#include "config/wordlist.h"
#include "platform/keptcopy.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

std::string Joined(const text::Reports& reports) {
  std::string out;
  for (const auto& report : reports) out += report.title + ": " + report.text + "\n";
  return out;
}

project::HelpProject ProjectWithBody(std::size_t bodySize) {
  auto project = testsupport::MakeProject({"Index", "A", "G#", "License*"});
  project.TopicAt(1).body = std::string(bodySize, 'x');
  project.libraryFile = "/libs/MyLib";
  project.helpFolder = "/help/";
  return project;
}

TEST(ProjectSaveFaults, aDiskThatFillsMidwayKeepsTheOldFileByteForByte) {
  TempFolder box;
  const std::string path = box.Path("MyLib.qsp");
  text::Reports reports;
  auto small = ProjectWithBody(10);
  ASSERT_TRUE(project::SaveProject(small, path, reports));
  const Picture before = TakePicture(box.Path());

  auto large = ProjectWithBody(50000);
  // No room at all, less than one buffer, exactly one buffer, one byte short of the file.
  for (const std::uintmax_t limit : {0u, 100u, 4096u, 50100u}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    const std::string answer = RunWithFileSizeLimit(limit, [&] {
      text::Reports childReports;
      const bool saved = project::SaveProject(large, path, childReports);
      return std::string(saved ? "saved\n" : "failed\n") + Joined(childReports);
    });
    EXPECT_EQ(answer, "failed\nError: Could not create file '" + path + "'!\n");
    EXPECT_EQ(TakePicture(box.Path()), before);  // same bytes, no temporary file left
  }

  // With room, the same save goes through.
  EXPECT_TRUE(project::SaveProject(large, path, reports));
  EXPECT_GT(box.Read("MyLib.qsp").size(), 50000u);
  EXPECT_TRUE(reports.empty());
}

TEST(ProjectSaveFaults, aFolderInTheWayOrAMissingFolderIsReportedAndChangesNothing) {
  TempFolder box;
  box.Write("Folder.qsp/inside.txt", "kept");
  box.Write("plain-file", "not a folder");
  const Picture before = TakePicture(box.Path());
  auto project = ProjectWithBody(10);

  for (const std::string relative : {"Folder.qsp", "missing/MyLib.qsp", "plain-file/MyLib.qsp"}) {
    SCOPED_TRACE(relative);
    text::Reports reports;
    EXPECT_FALSE(project::SaveProject(project, box.Path(relative), reports));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], text::ErrorReport("Could not create file '" + box.Path(relative) + "'!"));
  }
  EXPECT_EQ(TakePicture(box.Path()), before);
}

// The rewrite in place is taken when the project's folder takes no new files. The
// administrator may make files in any folder, so as the administrator the saves run as an
// ordinary user, who owns the project, its folder and the settings.
bool BecomeOwnerOfTheProject() {
  constexpr uid_t kNobody = 65534;
  return ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}

// Which version all the function pages of a loaded project hold.
std::string VersionOf(const project::HelpProject& project, char oldLetter, char newLetter) {
  bool old = true, fresh = true;
  for (const std::size_t row : {1u, 2u, 3u}) {
    const std::string& body = project.TopicAt(row).body;
    old = old && body.find_first_not_of(oldLetter) == std::string::npos;
    fresh = fresh && body.find_first_not_of(newLetter) == std::string::npos;
  }
  return old ? "old" : fresh ? "new" : "torn";
}

TEST(ProjectSaveFaults, aSaveKilledWhileItRewritesTheFileWhereItIsIsNeverReadTorn) {
  TempFolder box;
  const std::string path = box.Path("project/MyLib.qsp");
  const std::string settings = box.Path("settings/");
  fs::create_directories(box.Path("project"));
  fs::create_directories(settings);
  // Some tens of megabytes, so that a kill lands inside the rewrite often enough.
  const auto withBodies = [&](char letter, std::size_t size) {
    auto project = testsupport::MakeProject({"Index", "A", "B", "C"});
    for (const std::size_t row : {1u, 2u, 3u})
      project.TopicAt(row).body = std::string(size, letter);
    project.projectFile = path;
    return project;
  };
  auto oldProject = withBodies('o', 4u << 20);
  const auto newProject = withBodies('n', 5u << 20);
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(oldProject, path, reports));
  const std::string oldBytes = testsupport::ReadBytes(path);
  auto expected = newProject;
  ASSERT_TRUE(project::SaveProject(expected, box.Path("expected.qsp"), reports));
  const std::string newBytes = testsupport::ReadBytes(box.Path("expected.qsp"));
  if (::geteuid() == 0) {
    for (const std::string& owned : {box.Path("project"), path, settings}) {
      ASSERT_EQ(::chown(owned.c_str(), 65534, 65534), 0);
    }
  }
  fs::permissions(box.Path("project"), fs::perms::owner_read | fs::perms::owner_exec);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  const auto startSave = [&] {
    const pid_t child = fork();
    if (child != 0) return child;
    if (!BecomeOwnerOfTheProject()) _exit(2);
    app::CoreServices services("", settings);
    auto project = newProject;
    text::Reports ignored;
    _exit(services.SaveProject(project, path, ignored) ? 0 : 1);
  };
  const auto restoreOld = [&] {
    testsupport::WriteBytes(path, oldBytes);  // where it is: the folder takes no new files
    std::error_code ignored;
    fs::remove_all(settings + "Recovery", ignored);
  };

  // One save to its end: how long it takes, and that it rewrites the file where it is.
  const auto started = std::chrono::steady_clock::now();
  const pid_t first = startSave();
  int status = 0;
  ASSERT_EQ(waitpid(first, &status, 0), first);
  const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(testsupport::ReadBytes(path) == newBytes);
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  ASSERT_EQ(after.st_ino, before.st_ino) << "the save must take the rewrite in place";

  // A kill at a random moment mostly lands before or after the few milliseconds in which the
  // bytes are written: each save is watched until its first new byte reaches the file, and
  // killed a random moment after that.
  const std::size_t watched = oldBytes.find(std::string(64, 'o'));
  ASSERT_NE(watched, std::string::npos);
  std::mt19937 random(26);
  std::uniform_int_distribution<useconds_t> moment(0, 15000);
  int torn = 0;
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    restoreOld();
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(file, 0);
    const pid_t child = startSave();
    const auto watchEnd = std::chrono::steady_clock::now() + 4 * duration;
    char seen = 'o';
    while (seen != 'n' && std::chrono::steady_clock::now() < watchEnd &&
           ::pread(file, &seen, 1, static_cast<off_t>(watched)) == 1) {
    }
    ::close(file);
    ::usleep(moment(random));
    ::kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const std::string onDisk = testsupport::ReadBytes(path);
    const bool whole = onDisk == oldBytes || onDisk == newBytes;
    // What the next start offers, and what a load reads, for the user who saved.
    const std::string answer = RunWithFileSizeLimit(
        std::uintmax_t(-1),
        [&] {
          if (!BecomeOwnerOfTheProject()) return std::string("setuid");
          app::CoreServices services("", settings);
          std::string out;
          for (const auto& copy : services.FindRecoveryCopies()) {
            const bool complete = copy.interruptedSave && copy.projectFile == path &&
                                  testsupport::ReadBytes(copy.path) == newBytes;
            out += complete ? "offered the saved version\n" : "offered something else\n";
          }
          project::HelpProject loaded;
          text::Reports loadReports;
          if (!services.LoadProject(loaded, path, {}, loadReports)) return out + "not loaded\n";
          return out + "read " + VersionOf(loaded, 'o', 'n') +
                 (loadReports.empty() ? "\n" : " with a warning\n");
        },
        120);
    if (whole) {
      EXPECT_TRUE(answer.find("torn") == std::string::npos &&
                  answer.find("else") == std::string::npos &&
                  answer.find("not loaded") == std::string::npos)
          << answer;
    } else {
      ++torn;
      EXPECT_EQ(answer, "offered the saved version\nread new with a warning\n");
    }
  }
  std::cout << "[          ] " << torn << " of 30 kills tore the file\n";
}

// The copy a save keeps while it rewrites a file where it is: a running save's copy is left
// to it, however the process ids were reused since, a killed save's copy is found with the
// file it belongs to, and links planted at its names are replaced, never written through.
TEST(ProjectSaveFaults, theCopyOfASaveInPlaceBelongsToItsSaveAndNeverFollowsALink) {
  TempFolder box;
  const std::string copy = box.Path("settings/Recovery/0123456789abcdef.saving");
  box.Write("victim/copy", "precious copy");
  box.Write("victim/note", "precious note");
  fs::create_directories(box.Path("settings/Recovery"));
  fs::create_symlink(box.Path("victim/copy"), copy);
  fs::create_hard_link(box.Path("victim/note"), copy + "-for");
  fs::create_symlink(box.Path("victim/copy"), copy + ".tmp");

  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t saver = fork();
  if (saver == 0) {
    platform::KeptCopy kept;
    const char answer = kept.Keep(copy, box.Path("project/MyLib.qsp"), "the new bytes") ? 'k' : 'f';
    [[maybe_unused]] const ssize_t told = ::write(ready[1], &answer, 1);
    ::pause();  // a save in progress, until it is killed
    _exit(0);
  }
  ::close(ready[1]);
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(answer, 'k');
  EXPECT_EQ(platform::FindLeftCopy(copy).state, platform::LeftCopy::State::Kept);
  EXPECT_FALSE(platform::DiscardLeftCopy(copy)) << "a running save's copy is its own";
  ::kill(saver, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(saver, &status, 0), saver);

  EXPECT_EQ(box.Read("victim/copy"), "precious copy");
  EXPECT_EQ(box.Read("victim/note"), "precious note");
  EXPECT_EQ(box.Read("settings/Recovery/0123456789abcdef.saving"), "the new bytes");
  const platform::LeftCopy left = platform::FindLeftCopy(copy);
  EXPECT_EQ(left.state, platform::LeftCopy::State::Left);
  EXPECT_EQ(left.target, box.Path("project/MyLib.qsp"));
  EXPECT_TRUE(platform::DiscardLeftCopy(copy));
  EXPECT_EQ(platform::FindLeftCopy(copy).state, platform::LeftCopy::State::None);
  EXPECT_EQ(TakePicture(box.Path("settings/")), (Picture{{"Recovery", "dir"}}));
}

TEST(ProjectLoadFaults, aPipeOrAFolderIsRefusedWithoutHangingAndTheProjectStays) {
  TempFolder box;
  ASSERT_EQ(::mkfifo(box.Path("pipe.qsp").c_str(), 0600), 0);
  box.Write("Folder.qsp/inside.txt", "kept");
  auto project = ProjectWithBody(10);
  const auto topics = project.topics();

  for (const std::string relative : {"pipe.qsp", "Folder.qsp"}) {
    SCOPED_TRACE(relative);
    const std::string path = box.Path(relative);
    const std::string answer = RunWithFileSizeLimit(
        1 << 20,
        [&] {
          text::Reports reports;
          const bool loaded = project::LoadProject(project, path, {}, reports);
          return std::string(loaded ? "loaded\n" : "failed\n") + Joined(reports) +
                 (project.topics() == topics ? "unchanged" : "changed");
        },
        10);
    EXPECT_EQ(answer, "failed\nError: Could not read file '" + path + "'!\nunchanged");
  }
}

TEST(SettingsSaveFaults, settingsAndLanguageFilesAreNeverReplacedByAHalfWrittenOne) {
  TempFolder box;
  const std::string folder = box.Path("settings");
  config::AppSettings good;
  good.htm2chm = "/usr/bin/chmcmd";
  config::LanguageState language;
  language.currentLanguage = "Deutsch";
  language.table.syntax = "Syntax (de)";
  ASSERT_TRUE(config::SaveSettings(folder, good));
  ASSERT_TRUE(config::SaveLanguage(folder, language));
  const Picture before = TakePicture(box.Path());

  config::AppSettings changed = good;
  changed.htm2chm = std::string(9000, 'p');
  changed.compileToChm = true;
  config::LanguageState longer = language;
  longer.table.description = std::string(9000, 'd');
  for (const std::uintmax_t limit : {0u, 40u, 4096u}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    const std::string answer = RunWithFileSizeLimit(limit, [&] {
      return std::to_string(config::SaveSettings(folder, changed)) +
             std::to_string(config::SaveLanguage(folder, longer));
    });
    EXPECT_EQ(answer, "00");
    EXPECT_EQ(TakePicture(box.Path()), before);
  }

  // What the next start reads is still the good state.
  config::AppSettings loaded;
  ASSERT_TRUE(config::LoadSettings(folder, loaded, ""));
  EXPECT_EQ(loaded.htm2chm, good.htm2chm);
  EXPECT_FALSE(loaded.compileToChm);
  config::LanguageState reloaded;
  ASSERT_TRUE(config::LoadLanguage(folder, "Deutsch", reloaded));
  EXPECT_EQ(reloaded, language);
}

// The lists kept beside the settings: the recent projects and a project's word list.
TEST(SettingsSaveFaults, theRecentProjectsAndAWordListKeepTheirLinesWhenTheDiskFills) {
  TempFolder box;
  const std::string folder = box.Path("settings/");
  config::RecordRecentProject(folder, "/p/1.qsp");
  const std::string words = config::WordListPath(folder, "/p/Lib.qsp");
  ASSERT_TRUE(config::AddToWordList(words, "zlib"));
  const Picture before = TakePicture(box.Path());
  ASSERT_EQ(box.Read("settings/QuillSmith.recent"), "/p/1.qsp\r\n");

  for (const std::uintmax_t limit : {0u, 3u, 12u}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    const std::string answer = RunWithFileSizeLimit(limit, [&] {
      config::RecordRecentProject(folder, "/p/" + std::string(200, 'x') + ".qsp");
      return std::to_string(config::AddToWordList(words, std::string(100, 'w')));
    });
    EXPECT_EQ(answer, "0");
    EXPECT_EQ(TakePicture(box.Path()), before);  // same bytes, no temporary file left
  }
}

TEST(SettingsSaveFaults, aFolderNamedLikeTheFileIsLeftAlone) {
  TempFolder box;
  box.Write("settings/QuillSmith.ini/inside.txt", "kept");
  box.Write("settings/QuillSmith_English.lng/inside.txt", "kept too");
  const Picture before = TakePicture(box.Path());
  EXPECT_FALSE(config::SaveSettings(box.Path("settings"), config::AppSettings{}));
  EXPECT_FALSE(config::SaveLanguage(box.Path("settings"), config::LanguageState{}));
  EXPECT_EQ(TakePicture(box.Path()), before);
}

}  // namespace
}  // namespace qs::hardening
