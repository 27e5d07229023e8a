// Pipes, devices, hard links and read-only files where the program reads or replaces a file.
// A pipe must never block the program, a device never feed it endless bytes, and none of them
// may be removed or written through; a file the user made read-only stays as it is, while a
// writable file in a read-only folder can still be saved.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "answers.h"
#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "library/libraryreader.h"
#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

// Generous for every case here; a pipe that blocks would hit the time limit instead.
constexpr std::uintmax_t kNoSizeLimit = std::uintmax_t{1} << 30;
constexpr unsigned kSeconds = 10;

void MakePipe(const TempFolder& box, const std::string& relative) {
  fs::create_directories(fs::path(box.Path(relative)).parent_path());
  ASSERT_EQ(::mkfifo(box.Path(relative).c_str(), 0666), 0) << relative;
}

bool IsPipe(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

project::HelpProject SmallProject() {
  auto project = testsupport::MakeProject({"Index", "A", "B", "License*"});
  project.libraryFile = "/libs/MyLib";
  project.TopicAt(0).title = "MyLib library";
  return project;
}

// Builds in a child process, so that a blocking open fails the test instead of hanging it.
std::string BuildAnswer(const project::HelpProject& project, const std::string& help) {
  return RunWithFileSizeLimit(
      kNoSizeLimit,
      [&] {
        output::BuildRecord record;
        text::Reports reports;
        const bool built = !output::BuildHelpFolder(project, {}, help, record, reports).empty();
        return std::string(built ? "built\n" : "failed\n") + ReportLines(reports);
      },
      kSeconds);
}

TEST(NonRegularFiles, pipesWhereTheBuildWritesAreRefusedAndLeftInPlace) {
  for (const std::string name : {"MyLib.hhp", "Index.html", "B.html"}) {
    SCOPED_TRACE(name);
    TempFolder box;
    const std::string help = box.Path("help/");
    MakePipe(box, "help/" + name);
    EXPECT_EQ(BuildAnswer(SmallProject(), help),
              "failed\nCould not create file '" + help + name + "'!\n");
    EXPECT_TRUE(IsPipe(help + name));
  }

  // The unique HTML file's failure is silent, as for any file it cannot create.
  TempFolder box;
  MakePipe(box, "help/MyLib library.html");
  const std::string answer = RunWithFileSizeLimit(
      kNoSizeLimit,
      [&] {
        text::Reports reports;
        const bool written =
            output::WriteUniqueHtmlFile(SmallProject(), box.Path("help/"), reports);
        return std::string(written ? "written\n" : "failed\n") + ReportLines(reports);
      },
      kSeconds);
  EXPECT_EQ(answer, "failed\n");
  EXPECT_TRUE(IsPipe(box.Path("help/MyLib library.html")));
}

// A device is opened for writing without waiting and let go unwritten: the open is what tells
// it from a page (only the administrator makes device nodes).
TEST(NonRegularFiles, aDeviceInTheHelpFolderIsRefusedUnwrittenAndLeftInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "only the administrator may make a device node";
  TempFolder box;
  const std::string help = box.Path("help/");
  fs::create_directories(help);
  // The null device, under the name of a page.
  ASSERT_EQ(::mknod((help + "A.html").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  EXPECT_EQ(BuildAnswer(SmallProject(), help),
            "failed\nCould not create file '" + help + "A.html'!\n");
  struct stat info {};
  ASSERT_EQ(::lstat((help + "A.html").c_str(), &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(NonRegularFiles, erasingLeavesWhateverTookThePlaceOfAWrittenFile) {
  TempFolder box;
  const std::string help = box.Path("help/");
  box.Write("outside.html", "precious");
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(SmallProject(), {}, help, record, reports).empty());
  fs::remove(help + "A.html");
  MakePipe(box, "help/A.html");
  fs::remove(help + "B.html");
  fs::create_symlink(box.Path("outside.html"), help + "B.html");

  output::EraseBuildFiles(record);
  EXPECT_TRUE(IsPipe(help + "A.html"));
  EXPECT_TRUE(fs::is_symlink(help + "B.html"));
  EXPECT_EQ(box.Read("outside.html"), "precious");
  EXPECT_FALSE(fs::exists(help + "Index.html"));
  EXPECT_FALSE(fs::exists(help + "License.html"));
}

TEST(NonRegularFiles, aHardLinkInTheHelpFolderIsReplacedNotWrittenThrough) {
  TempFolder box;
  const std::string help = box.Path("help/");
  box.Write("outside.html", "precious");
  fs::create_directories(help);
  fs::create_hard_link(box.Path("outside.html"), help + "A.html");
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(SmallProject(), {}, help, record, reports).empty());
  EXPECT_EQ(box.Read("outside.html"), "precious");
  EXPECT_EQ(fs::hard_link_count(box.Path("outside.html")), 1u);
  EXPECT_NE(box.Read("help/A.html").find("<title>"), std::string::npos);
}

TEST(NonRegularFiles, readersRefusePipesAndDevicesWithTheirUsualAnswer) {
  TempFolder box;
  MakePipe(box, "pipe");
  fs::create_symlink("/dev/zero", box.Path("zero"));
  fs::create_symlink("/dev/null", box.Path("null"));

  for (const std::string name : {"pipe", "zero", "null"}) {
    SCOPED_TRACE(name);
    const std::string path = box.Path(name);
    const std::string answer = RunWithFileSizeLimit(
        kNoSizeLimit,
        [&] {
          std::string out;
          project::HelpProject project = SmallProject();
          text::Reports reports;
          out += project::LoadProject(project, path, {}, reports) ? "loaded\n" : "";
          library::LibraryInfo info;
          out += library::ReadUserLibrary(path, info, reports) ? "read\n" : "";
          config::LanguageState language;
          out += "language " +
                 std::to_string(static_cast<int>(config::ReadLanguageFile(path, "x", language))) +
                 "\n";
          return out + ReportLines(reports);
        },
        kSeconds);
    EXPECT_EQ(answer, "language 1\nCould not read file '" + path + "'!\nCould not open file '" +
                          name + "'!\n");
  }
}

TEST(NonRegularFiles, settingsAndLanguageFilesThatArePipesOrDevicesAreNeitherReadNorReplaced) {
  TempFolder box;
  MakePipe(box, "pipe/QuillSmith.ini");
  MakePipe(box, "pipe/QuillSmith_Piped.lng");
  fs::create_directories(box.Path("zero"));
  fs::create_symlink("/dev/zero", box.Path("zero/QuillSmith.ini"));
  fs::create_symlink("/dev/zero", box.Path("zero/QuillSmith_Zero.lng"));

  for (const std::string folder : {"pipe", "zero"}) {
    SCOPED_TRACE(folder);
    const std::string answer = RunWithFileSizeLimit(
        kNoSizeLimit,
        [&] {
          config::AppSettings settings;
          settings.htm2chm = "kept";
          const bool loaded = config::LoadSettings(box.Path(folder), settings, "");
          const bool saved = config::SaveSettings(box.Path(folder), settings);
          config::LanguageState language;
          const auto languages = config::ListLanguages(box.Path(folder));
          const bool chosen = config::LoadLanguage(box.Path(folder), "Piped", language) ||
                              config::LoadLanguage(box.Path(folder), "Zero", language);
          return std::to_string(loaded) + std::to_string(saved) + settings.htm2chm + " " +
                 std::to_string(languages.size()) + std::to_string(chosen);
        },
        kSeconds);
    EXPECT_EQ(answer, "00kept 00");
  }
  EXPECT_TRUE(IsPipe(box.Path("pipe/QuillSmith.ini")));
  EXPECT_TRUE(IsPipe(box.Path("pipe/QuillSmith_Piped.lng")));
  EXPECT_EQ(fs::read_symlink(box.Path("zero/QuillSmith.ini")), "/dev/zero");
}

TEST(NonRegularFiles, aProjectSavedOverAPipeIsRefusedAndThePipeStays) {
  TempFolder box;
  MakePipe(box, "MyLib.qsp");
  const std::string path = box.Path("MyLib.qsp");
  const std::string answer = RunWithFileSizeLimit(
      kNoSizeLimit, [&] { return SaveAnswer(SmallProject(), path); }, kSeconds);
  EXPECT_EQ(answer, "failed\nCould not create file '" + path + "'!\n");
  EXPECT_TRUE(IsPipe(path));
  EXPECT_EQ(std::distance(fs::directory_iterator(box.Path()), {}), 1);  // nothing beside it
}

TEST(ReadOnlyFiles, aReadOnlyProjectOrSettingsFileStaysAsItIsEvenForTheAdministrator) {
  TempFolder box;
  const std::string path = box.Path("MyLib.qsp");
  auto project = SmallProject();
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(project, path, reports));
  ASSERT_TRUE(config::SaveSettings(box.Path(), config::AppSettings{}));
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(box.Path("QuillSmith.ini"), fs::perms::owner_read);
  const Picture before = TakePicture(box.Path());

  project.TopicAt(1).body = "changed";
  EXPECT_FALSE(project::SaveProject(project, path, reports));
  EXPECT_EQ(reports, (text::Reports{text::ErrorReport("Could not create file '" + path + "'!")}));
  config::AppSettings changed;
  changed.compileToChm = true;
  EXPECT_FALSE(config::SaveSettings(box.Path(), changed));
  EXPECT_EQ(TakePicture(box.Path()), before);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// Runs `body` in a child in which the folder `relative` of the sandbox and everything in it
// belong to an ordinary user, the folder is read-only, and the child is that user: the
// administrator may write into any folder.
std::string InReadOnlyFolder(const TempFolder& box, const std::string& relative,
                             std::uintmax_t fileSizeLimit,
                             const std::function<std::string()>& body) {
  return RunWithFileSizeLimit(
      fileSizeLimit,
      [&] {
        const std::string folder = box.Path(relative);
        if (geteuid() == 0) {
          constexpr uid_t kNobody = 65534;
          for (const auto& entry : fs::directory_iterator(folder)) {
            if (::chown(entry.path().c_str(), kNobody, kNobody) != 0) return std::string("chown");
          }
          if (::chown(folder.c_str(), kNobody, kNobody) != 0) return std::string("chown");
          fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
          if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) return std::string("setuid");
        } else {
          fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        }
        return body();
      },
      kSeconds);
}

TEST(ReadOnlyFiles, aWritableProjectInAReadOnlyFolderIsRewrittenWhereItIs) {
  TempFolder box;
  const std::string path = box.Path("project/MyLib.qsp");
  fs::create_directories(box.Path("project"));
  auto project = SmallProject();
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(project, path, reports));
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  const std::string oldBytes = box.Read("project/MyLib.qsp");

  // Longer, then shorter than before: the file takes exactly the new bytes either way.
  for (const std::string& body : {std::string(5000, 'l'), std::string("short")}) {
    project.TopicAt(1).body = body;
    EXPECT_EQ(
        InReadOnlyFolder(box, "project", kNoSizeLimit, [&] { return SaveAnswer(project, path); }),
        "saved\n");
    project::HelpProject loaded;
    ASSERT_TRUE(project::LoadProject(loaded, path, {}, reports));
    EXPECT_EQ(loaded.TopicAt(1).body, body);
  }
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);                   // the same file, rewritten where it is
  EXPECT_EQ(TakePicture(box.Path("project/")).size(), 1u);  // nothing beside it

  // A disk too full for the new bytes refuses before the file is touched.
  const std::string kept = box.Read("project/MyLib.qsp");
  project.TopicAt(1).body = std::string(20000, 'x');
  EXPECT_EQ(InReadOnlyFolder(box, "project", 8000, [&] { return SaveAnswer(project, path); }),
            "failed\nCould not create file '" + path + "'!\n");
  EXPECT_EQ(box.Read("project/MyLib.qsp"), kept);
  EXPECT_NE(kept, oldBytes);
}

}  // namespace
}  // namespace qs::hardening
