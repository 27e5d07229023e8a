// Other processes at work on the same project at the same time: two command lines extracting
// into it, a window that has it open, a program still writing its recovery copy. Each is a
// real second process; what is checked is what lands in the files and what is said.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/coreservices.h"
#include "cli/cli.h"
#include "config/recovery.h"
#include "flows/projectlock.h"
#include "platform/filelock.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"
#include "text/paths.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

std::string CliProgram() {
  const char* build = std::getenv("QS_TEST_BINARY_DIR");
  return build == nullptr ? std::string() : std::string(build) + "/src/cli/quillsmith-cli";
}

// Starts quillsmith-cli with `args`, its output and messages into `log`.
pid_t StartCli(const std::vector<std::string>& args, const std::string& log) {
  std::vector<std::string> all{CliProgram()};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child != 0) return child;
  const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ::dup2(fd, 1);
  ::dup2(fd, 2);
  ::execv(argv[0], argv.data());
  _exit(127);
}

int ExitStatus(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs `take` in a child process that then sleeps until killed (at most two minutes); returns
// once `take` is done.
pid_t StartHolder(const std::function<void()>& take) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    alarm(120);
    take();
    [[maybe_unused]] const auto written = ::write(ready[1], "x", 1);
    for (;;) pause();
  }
  ::close(ready[1]);
  char byte = 0;
  [[maybe_unused]] const auto read = ::read(ready[0], &byte, 1);
  ::close(ready[0]);
  return child;
}

void Kill(pid_t child) {
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

project::HelpProject Load(const std::string& path) {
  project::HelpProject project;
  text::Reports reports;
  EXPECT_TRUE(project::LoadProject(project, path, {}, reports)) << path;
  return project;
}

class ConcurrentExtracts : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(CliProgram())) GTEST_SKIP() << "quillsmith-cli is not built";
    // Both libraries document Shared: the page the first extraction makes keeps its text
    // through the second's merge, and the Index page keeps the first library's title.
    ASSERT_TRUE(testsupport::WriteLibraryFile(
        box.Path("LibA"), testsupport::LibraryOf({testsupport::Function("Shared", "(x) - A text"),
                                                  testsupport::Function("OnlyA", "(y) - a")})));
    ASSERT_TRUE(testsupport::WriteLibraryFile(
        box.Path("LibB"), testsupport::LibraryOf({testsupport::Function("Shared", "(x) - B text"),
                                                  testsupport::Function("OnlyB", "(z) - b")})));
  }

  TempFolder box;
};

// Every pair starts together on a project neither has seen; the first one to hold the lock
// makes it, the other merges into what the first saved. A lost extraction shows as a project
// whose Index page has the last library's title, or that lacks the first one's help folder.
TEST_F(ConcurrentExtracts, twoHundredPairsKeepTheWorkOfBoth) {
  constexpr int kPairs = 200;
  int lost = 0;
  for (int pair = 0; pair < kPairs && lost < 3; ++pair) {
    const std::string project = box.Path("p" + std::to_string(pair) + ".qsp");
    const pid_t a = StartCli({"extract", box.Path("LibA"), project, "--help-folder", "helpA"},
                             box.Path("a.log"));
    const pid_t b = StartCli({"extract", box.Path("LibB"), project}, box.Path("b.log"));
    const int statusA = ExitStatus(a);
    const int statusB = ExitStatus(b);
    ASSERT_EQ(statusA, 0) << box.Read("a.log");
    ASSERT_EQ(statusB, 0) << box.Read("b.log");
    const project::HelpProject saved = Load(project);
    const bool aLast = saved.libraryFile == box.Path("LibA");
    const std::string first = aLast ? "LibB" : "LibA";
    const bool kept = saved.TopicCount() > 0 && saved.TopicAt(0).title == first + " library" &&
                      saved.helpFolder == text::WithTrailingSeparator("helpA") &&
                      saved.FindTopic("Shared") != nullptr &&
                      saved.FindTopic("Shared")->body.find(first == "LibA" ? "A text" : "B text") !=
                          std::string::npos;
    if (!kept) ++lost;
    EXPECT_TRUE(kept) << "pair " << pair << ": the first extraction (" << first << ") was lost";
  }
  EXPECT_FALSE(fs::exists(box.Path(".p0.qsp.write.lock"))) << "the last writer removes it";
}

TEST_F(ConcurrentExtracts, aWriterThatKeepsTheLockMakesExtractFailWithoutWriting) {
  const std::string project = box.Path("p.qsp");
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"extract", box.Path("LibA"), project}, out, err), cli::kSuccess);
  const std::string before = box.Read("p.qsp");
  // A window that merely has the project open does not hold the command line up.
  const pid_t window = StartHolder([&project] {
    static app::CoreServices services("", "");
    services.HoldProjectFile(project);
  });
  EXPECT_EQ(cli::Run({"extract", box.Path("LibB"), project}, out, err), cli::kSuccess) << err.str();
  const std::string merged = box.Read("p.qsp");
  EXPECT_NE(merged, before);

  // One that is writing it now does, for half a minute.
  const pid_t writer = StartHolder([&project] {
    static platform::FileLock lock;
    lock.TryLock(flows::ProjectWriteLockPath(project));
  });
  std::ostringstream out2, err2;
  EXPECT_EQ(cli::Run({"extract", box.Path("LibA"), project}, out2, err2), cli::kFailure);
  EXPECT_EQ(err2.str(), "Project file '" + project +
                            "' is busy: another program has been writing it for 30 seconds!\n");
  EXPECT_EQ(box.Read("p.qsp"), merged);
  Kill(writer);
  Kill(window);
}

// A second window asks before it opens a project another window has open; a window that
// crashed leaves nothing that asks.
TEST(ProjectOpenLock, isHeldByTheWindowThatHasTheProjectOpenUntilItEnds) {
  TempFolder box;
  const std::string project = box.Path("p.qsp");
  box.Write("p.qsp", "");
  const pid_t window = StartHolder([&project] {
    static app::CoreServices services("", "");
    services.HoldProjectFile(project);
  });
  app::CoreServices second("", "");
  EXPECT_FALSE(second.HoldProjectFile(project));
  EXPECT_TRUE(second.HoldProjectFile(box.Path("other.qsp")));
  Kill(window);
  EXPECT_TRUE(second.HoldProjectFile(project));
  EXPECT_TRUE(second.HoldProjectFile(project)) << "its own mark is no other window's";
}

// Two users may open one project in a folder they share: the lock file the first made is the
// second's lock too, though it may not write it.
TEST(ProjectOpenLock, isSeenByAnotherUser) {
  if (geteuid() != 0) GTEST_SKIP() << "a second user needs root to become 'nobody'";
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "there is no user 'nobody'";
  TempFolder box;
  fs::create_directory(box.Path("shared"));
  fs::permissions(box.Path("shared"), fs::perms::all);
  fs::permissions(box.Path(), fs::perms::others_exec, fs::perm_options::add);
  const std::string project = box.Path("shared/p.qsp");
  app::CoreServices window("", "");
  ASSERT_TRUE(window.HoldProjectFile(project));
  // 0: the other user's window sees the project open; 1: it takes it as free.
  const pid_t other = fork();
  if (other == 0) {
    if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(2);
    app::CoreServices second("", "");
    _exit(second.HoldProjectFile(project) ? 1 : 0);
  }
  EXPECT_EQ(ExitStatus(other), 0);
}

// The owner of a recovery copy is the program holding its lock, whatever process id an owner
// file names: a process id may belong to another program after a restart, or to none.
TEST(RecoveryOwnership, aCopyIsOfferedOnlyOnceItsWriterHasEnded) {
  TempFolder box;
  auto project = testsupport::MakeProject({"Index", "A"});
  project.projectFile = box.Path("p.qsp");
  const pid_t writer = StartHolder([&box, &project] {
    static config::RecoveryStore store(box.Path());
    store.Write(project);
  });
  std::vector<std::string> copies;
  for (const auto& entry : fs::directory_iterator(box.Path("Recovery"))) {
    if (entry.path().extension() == ".qsp") copies.push_back(entry.path().stem().string());
  }
  ASSERT_EQ(copies.size(), 1u);
  for (const std::string& owner :
       std::vector<std::string>{"999999999\n", std::to_string(getpid()) + "\n"}) {
    box.Write("Recovery/" + copies[0] + ".owner", owner);
    EXPECT_TRUE(config::RecoveryStore(box.Path()).Find().empty()) << owner;
  }
  Kill(writer);
  const auto found = config::RecoveryStore(box.Path()).Find();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].projectFile, project.projectFile);
}

}  // namespace
}  // namespace qs::hardening
