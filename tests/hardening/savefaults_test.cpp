// Saves of what the author owns (the project file) and of what the user relies on (settings
// and language files) under real failing conditions: a disk that fills up midway, a folder
// where the file should be, a folder that does not exist. The old file must stay byte for
// byte and nothing half-written may be left beside it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/recentprojects.h"
#include "config/wordlist.h"
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
