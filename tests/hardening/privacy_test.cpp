// What the program keeps for its user stays the user's: the settings, the recent projects, the
// word lists and the recovery copies are closed to other users; a saved project keeps whose it
// was and who may read it; and the recovery copies, like every other file the program writes,
// are never written through a link that someone planted at their names.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/coreservices.h"
#include "config/recovery.h"
#include "config/wordlist.h"
#include "platform/atomicfile.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/projectfixture.h"
#include "text/textops.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
constexpr auto kOwnerFolder = fs::perms::owner_all;
constexpr auto kOwnerFile = fs::perms::owner_read | fs::perms::owner_write;
constexpr auto kOpenFolder = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;

fs::perms ModeOf(const fs::path& path) {
  return fs::symlink_status(path).permissions() & fs::perms::all;
}

// The settings, the recent projects, a word list and a recovery copy with its lock file, as
// the program writes them, under the common umask that leaves new files readable by all.
TEST(PrivateFiles, whatTheProgramKeepsForItsUserIsClosedToOthers) {
  const mode_t umaskBefore = ::umask(022);
  TempFolder box;
  // A settings folder (and the folder above) that the program makes, and one the user made
  // open to others before: that one keeps its mode, the files in it are closed all the same,
  // an old settings file that others could read included.
  fs::create_directories(box.Path("shared"));
  fs::permissions(box.Path("shared"), kOpenFolder);
  box.Write("shared/QuillSmith.ini", "[Global]\r\n");
  fs::permissions(box.Path("shared/QuillSmith.ini"),
                  kOwnerFile | fs::perms::group_read | fs::perms::others_read);
  for (const std::string relative : {"home/.config/QuillSmith/", "shared/"}) {
    SCOPED_TRACE(relative);
    const std::string settings = box.Path(relative);
    app::CoreServices services("/prog/quillsmith", settings);
    services.WriteSettings(config::AppSettings{});
    services.RecordRecentProject(box.Path("p.qsp"));
    const std::string words = services.WordListPath(box.Path("p.qsp"));
    ASSERT_TRUE(config::AddToWordList(words, "Quillsmithery"));
    project::HelpProject project = testsupport::MakeProject({"Index", "A"});
    project.projectFile = box.Path("p.qsp");
    services.WriteRecoveryCopy(project);

    if (relative == "shared/") {
      EXPECT_EQ(ModeOf(settings), kOpenFolder);
    } else {
      EXPECT_EQ(ModeOf(settings), kOwnerFolder);
      EXPECT_EQ(ModeOf(box.Path("home/.config")), kOwnerFolder);
    }
    EXPECT_EQ(ModeOf(settings + "Recovery"), kOwnerFolder);
    EXPECT_EQ(ModeOf(settings + "words"), kOwnerFolder);
    std::vector<fs::path> files = {settings + "QuillSmith.ini", settings + "QuillSmith.recent",
                                   words};
    std::vector<fs::path> locks;
    for (const auto& entry : fs::directory_iterator(settings + "Recovery")) {
      (entry.path().extension() == ".lock" ? locks : files).push_back(entry.path());
    }
    EXPECT_EQ(files.size(), 4u) << "the recovery copy";
    for (const auto& file : files) EXPECT_EQ(ModeOf(file), kOwnerFile) << file;
    // The copy's lock file is empty, and lies in the closed folder.
    ASSERT_EQ(locks.size(), 1u);
    EXPECT_EQ(fs::file_size(locks[0]), 0u);
  }
  ::umask(umaskBefore);
}

// What another user can do with a file: "read" or "denied".
std::string AsNobody(const std::string& path) {
  return RunWithFileSizeLimit(std::uintmax_t(-1), [&] {
    if (::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0) return std::string("setuid");
    return std::string(::access(path.c_str(), R_OK | W_OK) == 0 ? "read" : "denied");
  });
}

TEST(PrivateFiles, anAdministratorsSaveOfAnotherUsersProjectLeavesItTheirs) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the administrator can save another user's file";
  TempFolder box;
  const std::string path = box.Path("MyLib.qsp");
  // A project only its owner may read, and one its group may read too.
  for (const auto mode : {kOwnerFile, kOwnerFile | fs::perms::group_read}) {
    auto project = testsupport::MakeProject({"Index", "A"});
    text::Reports reports;
    ASSERT_TRUE(project::SaveProject(project, path, reports));
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNoGroup), 0);
    fs::permissions(path, mode);

    project.TopicAt(1).body = "saved by the administrator";
    ASSERT_TRUE(project::SaveProject(project, path, reports));
    struct stat saved {};
    ASSERT_EQ(::stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, kNobody);
    EXPECT_EQ(saved.st_gid, kNoGroup);
    EXPECT_EQ(ModeOf(path), mode);
    EXPECT_NE(box.Read("MyLib.qsp").find("saved by the administrator"), std::string::npos);
    EXPECT_EQ(AsNobody(path), "read") << "its owner still reads and writes it";
  }
}

// Someone who may write into the recovery folder (a portable copy in a shared folder) plants
// links at the names the recovery writer uses, to make it write the author's unsaved text
// over a file of theirs, or into a place they can read.
TEST(PrivateFiles, theRecoveryWriterNeverWritesThroughLinksAtItsNames) {
  TempFolder box;
  auto project = testsupport::MakeProject({"Index", "A"});
  project.projectFile = box.Path("p.qsp");
  project.TopicAt(1).body = "the author's unsaved text";
  const std::string folder = box.Path("settings/Recovery/");
  const std::string stem = folder + text::StableHashHex(project.projectFile);
  const std::string copy = stem + ".qsp";
  const std::string lock = stem + ".lock";
  fs::create_directories(folder);
  box.Write("victim/copy", "precious copy");
  box.Write("victim/lock", "precious lock");
  box.Write("victim/temporary", "precious temporary");

  // Every temporary name the writer could pick is taken, by symbolic and by hard links.
  std::vector<std::string> planted;
  const std::string name = fs::path(copy).filename().string();
  for (unsigned number = 0; number < 4096; ++number) {
    const std::string temporary =
        folder + platform::AtomicFile::TemporaryName(name, ::getpid(), number);
    if (number % 2 == 0) {
      fs::create_symlink(box.Path("victim/temporary"), temporary);
    } else {
      fs::create_hard_link(box.Path("victim/temporary"), temporary);
    }
    planted.push_back(temporary);
  }
  // A symbolic link at each name, then a hard link at each; each round is a run of its own.
  for (const bool hard : {false, true}) {
    SCOPED_TRACE(hard ? "hard links" : "symbolic links");
    for (const auto& [at, victim] :
         {std::pair{copy, box.Path("victim/copy")}, std::pair{lock, box.Path("victim/lock")}}) {
      fs::remove(at);
      if (hard) {
        fs::create_hard_link(victim, at);
      } else {
        fs::create_symlink(victim, at);
      }
    }
    config::RecoveryStore store(box.Path("settings/"));
    std::string written = store.Write(project);
    if (!hard) {
      for (const auto& temporary : planted) fs::remove(temporary);
      written = store.Write(project);
    }
    EXPECT_EQ(box.Read("victim/copy"), "precious copy");
    EXPECT_EQ(box.Read("victim/lock"), "precious lock");
    EXPECT_EQ(box.Read("victim/temporary"), "precious temporary");
    ASSERT_FALSE(written.empty()) << "the work is kept under a name of its own";
    struct stat info {};
    ASSERT_EQ(::lstat(written.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode)) << written;
    EXPECT_EQ(info.st_nlink, 1u) << written;
    EXPECT_EQ(ModeOf(written), kOwnerFile) << written;
    project::HelpProject restored;
    text::Reports reports;
    ASSERT_TRUE(project::LoadProject(restored, written, {}, reports));
    EXPECT_EQ(restored.TopicAt(1).body, "the author's unsaved text");
  }
}

}  // namespace
}  // namespace qs::hardening
