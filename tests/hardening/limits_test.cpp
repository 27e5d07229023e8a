// Limits: input files far larger than any real one are refused before they are read, a save
// that passes the process's file size limit fails with its message instead of ending the
// program, and the temporary files of saves that were killed midway do not pile up.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "answers.h"
#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "library/libraryreader.h"
#include "platform/atomicfile.h"
#include "platform/processsetup.h"
#include "platform/regularfile.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

// A file of `size` bytes that takes no room on the disk: zeros nobody wrote.
void WriteSparse(const TempFolder& box, const std::string& relative, std::uintmax_t size) {
  box.Write(relative, "");
  fs::resize_file(box.Path(relative), size);
}

project::HelpProject SmallProject() {
  auto project = testsupport::MakeProject({"Index", "A", "License*"});
  project.libraryFile = "/libs/MyLib";
  return project;
}

TEST(InputLimits, filesAboveTheirLimitAreRefusedWithoutBeingRead) {
  TempFolder box;
  WriteSparse(box, "huge.qsp", platform::kProjectFileLimit + 1);
  WriteSparse(box, "HugeLib", platform::kLibraryFileLimit + 1);
  WriteSparse(box, "settings/QuillSmith.ini", platform::kPreferenceFileLimit + 1);
  WriteSparse(box, "settings/QuillSmith_Huge.lng", platform::kPreferenceFileLimit + 1);

  auto project = SmallProject();
  const auto topics = project.topics();
  text::Reports reports;
  std::string answer;
  answer += project::LoadProject(project, box.Path("huge.qsp"), {}, reports) ? "loaded\n" : "";
  answer += project.topics() == topics ? "" : "project changed\n";
  library::LibraryInfo info{{"Old", "", ""}};
  answer += library::ReadUserLibrary(box.Path("HugeLib"), info, reports) ? "read\n" : "";
  answer += info.empty() ? "" : "library info kept\n";
  config::AppSettings settings;
  settings.htm2chm = "kept";
  answer += config::LoadSettings(box.Path("settings"), settings, "") ? "settings\n" : "";
  config::LanguageState language;
  const auto status =
      config::ReadLanguageFile(box.Path("settings/QuillSmith_Huge.lng"), "x", language);
  answer += status == config::LanguageFileStatus::CannotRead ? "" : "language\n";
  answer += settings.htm2chm + "\n" + ReportLines(reports);
  EXPECT_EQ(answer, "kept\nThe file '" + box.Path("huge.qsp") +
                        "' is too large for a project (more than 256 MB)!\n"
                        "Memory allocation problem!\n");
}

// A file of nearly empty records makes a whole topic of each: one of more records than any
// help has pages is refused with its message instead of taking gigabytes, and a project is
// never saved with more pages than a load takes back.
TEST(InputLimits, projectsOfMorePagesThanTheLimitAreNeitherLoadedNorSaved) {
  TempFolder box;
  std::string bytes = "QuillSmith Project *** DO NOT EDIT ***\np\nl\nh\n";
  const std::string record = "N\xB1\n\n\n\xB6\n\xB6\n\xB6\n";
  bytes.reserve(bytes.size() + record.size() * (project::kProjectPageLimit + 1));
  for (std::size_t i = 0; i <= project::kProjectPageLimit; ++i) bytes += record;
  box.Write("many.qsp", bytes);

  auto project = SmallProject();
  const auto topics = project.topics();
  text::Reports reports;
  EXPECT_FALSE(project::LoadProject(project, box.Path("many.qsp"), {}, reports));
  EXPECT_TRUE(project.topics() == topics);
  EXPECT_EQ(project.libraryFile, "/libs/MyLib");

  std::vector<project::Topic> many(project::kProjectPageLimit + 1);
  for (auto& topic : many) topic.name = "N";
  project.SetTopics(std::move(many));
  project.RefillItemsFromStore();
  EXPECT_FALSE(project::SaveProject(project, box.Path("many.qsp"), reports));
  EXPECT_TRUE(box.Read("many.qsp") == bytes);
  EXPECT_EQ(ReportLines(reports),
            "The file '" + box.Path("many.qsp") +
                "' holds too many pages for a project (more than 1000000)!\n"
                "Could not save the project: it has more than 1000000 pages!\n");
}

TEST(InputLimits, aFileAtItsLimitIsStillRead) {
  TempFolder box;
  std::string settings = "[Options]\r\nHTM2CHM = /usr/bin/chmcmd\r\n";
  settings.resize(platform::kPreferenceFileLimit, ';');
  box.Write("QuillSmith.ini", settings);
  config::AppSettings loaded;
  ASSERT_TRUE(config::LoadSettings(box.Path(), loaded, ""));
  EXPECT_EQ(loaded.htm2chm, "/usr/bin/chmcmd");
}

// Saves `project` in a child whose files may not grow past `limit` bytes, with the file size
// signal as the system delivers it; `prepared`: after the call both programs make at start.
std::string SaveAtSizeLimit(const project::HelpProject& project, const std::string& path,
                            std::uintmax_t limit, bool prepared) {
  return RunWithFileSizeLimit(limit, [&] {
    ::signal(SIGXFSZ, SIG_DFL);
    if (prepared) platform::PrepareProcess();
    return SaveAnswer(project, path);
  });
}

TEST(SaveLimits, aSavePastTheFileSizeLimitIsAnOrdinaryWriteFailure) {
  TempFolder box;
  const std::string path = box.Path("MyLib.qsp");
  auto project = SmallProject();
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(project, path, reports));
  const std::string before = box.Read("MyLib.qsp");
  project.TopicAt(1).body = std::string(100000, 'b');

  // Unprepared, the system ends the program in the middle of the save.
  EXPECT_EQ(SaveAtSizeLimit(project, path, 50000, false), "crashed");
  EXPECT_EQ(box.Read("MyLib.qsp"), before);

  EXPECT_EQ(SaveAtSizeLimit(project, path, 50000, true),
            "failed\nCould not create file '" + path + "'!\n");
  EXPECT_EQ(box.Read("MyLib.qsp"), before);
  // The killed save's temporary file went with the next save of the same file.
  EXPECT_EQ(TakePicture(box.Path()).size(), 1u);
}

std::string LeftoverOf(const std::string& target, pid_t process) {
  const std::string name =
      platform::AtomicFile::TemporaryName(target, static_cast<unsigned long>(process), 0);
  return name.substr(0, name.rfind('-'));
}

// Starts a save of `target` in a child that writes part of the file and then, when `release`
// is readable, ends without committing, as a save killed midway leaves it.
pid_t StartUnfinishedSave(const std::string& target, int release) {
  const pid_t child = fork();
  if (child != 0) return child;
  alarm(30);
  platform::AtomicFile file;
  if (!file.Open(target) || !file.Write("half a project")) _exit(1);
  char byte = 0;
  [[maybe_unused]] const auto got = ::read(release, &byte, 1);
  _exit(0);  // no destructor runs: the temporary file stays, as after a kill
}

// The names in the sandbox, sorted; a temporary file of `process` shows as LeftoverOf().
std::vector<std::string> Names(const TempFolder& box) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(box.Path())) {
    std::string name = entry.path().filename().string();
    if (name.ends_with(".tmp")) name.erase(name.rfind('-'));
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Waits until the sandbox holds `count` names (each save's child makes one).
bool AwaitNames(const TempFolder& box, std::size_t count) {
  for (int wait = 0; wait < 5000; ++wait) {
    if (Names(box).size() == count) return true;
    usleep(1000);
  }
  return false;
}

TEST(SaveLimits, theNextSaveRemovesTheLeftoversOfEndedSavesOfTheSameFileOnly) {
  TempFolder box;
  int later[2];
  int now[2];
  ASSERT_EQ(::pipe(later), 0);
  ASSERT_EQ(::pipe(now), 0);
  // One save of MyLib.qsp still running, one that ended midway, and one of another file.
  const pid_t running = StartUnfinishedSave(box.Path("MyLib.qsp"), later[0]);
  ASSERT_TRUE(AwaitNames(box, 1));
  const pid_t ended = StartUnfinishedSave(box.Path("MyLib.qsp"), now[0]);
  const pid_t other = StartUnfinishedSave(box.Path("Other.qsp"), now[0]);
  ASSERT_TRUE(AwaitNames(box, 3));
  ASSERT_EQ(::write(now[1], "xx", 2), 2);
  int status = 0;
  ASSERT_EQ(waitpid(ended, &status, 0), ended);
  ASSERT_EQ(waitpid(other, &status, 0), other);

  auto project = SmallProject();
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(project, box.Path("MyLib.qsp"), reports));
  EXPECT_EQ(Names(box), (std::vector<std::string>{LeftoverOf("MyLib.qsp", running),
                                                  LeftoverOf("Other.qsp", other), "MyLib.qsp"}));

  // Once that save has ended too, the next save takes its leftover as well.
  ASSERT_EQ(::write(later[1], "x", 1), 1);
  ASSERT_EQ(waitpid(running, &status, 0), running);
  ASSERT_TRUE(project::SaveProject(project, box.Path("MyLib.qsp"), reports));
  EXPECT_EQ(Names(box), (std::vector<std::string>{LeftoverOf("Other.qsp", other), "MyLib.qsp"}));
  for (const int fd : {later[0], later[1], now[0], now[1]}) ::close(fd);
}

}  // namespace
}  // namespace qs::hardening
