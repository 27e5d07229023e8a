#include "config/appsettings.h"

#include <gtest/gtest.h>

#include "tempfolder.h"

namespace {

using qs::config::AppSettings;
using qs::config::LoadSettings;
using qs::config::SaveSettings;

class AppSettingsTest : public qs::configtest::TempFolderTest {};

const std::string kPureBasic = "/opt/purebasic/";

TEST_F(AppSettingsTest, firstRunKeepsBuiltInValuesAndWritesCompleteFile) {
  AppSettings settings;
  EXPECT_FALSE(LoadSettings(Folder(), settings, kPureBasic));
  EXPECT_EQ(settings, AppSettings{});
  EXPECT_TRUE(settings.dontOverWriteExistingData);
  EXPECT_FALSE(settings.compileToChm);
  EXPECT_FALSE(settings.eraseHtmlFiles);
  EXPECT_EQ(settings.currentLanguage, "English");
  EXPECT_EQ(settings.lastProjectDir, "");  // no file: no fallback either

  ASSERT_TRUE(SaveSettings(Folder(), settings));
  EXPECT_EQ(Read("QuillSmith.ini"),
            "[Options]\r\nHTM2CHM = \r\nCompileToCHM = 0\r\nDontOverWriteExistingData = 1\r\n"
            "EraseHTMLFiles = 0\r\nMaximised = 0\r\nCurrentLanguage = English\r\n"
            "LastProjectDir = \r\n");
}

TEST_F(AppSettingsTest, groupWithoutKeysTurnsEraseOnAndFallsBackToPureBasicFolder) {
  Write("QuillSmith.ini", "[Options]\r\n");
  AppSettings settings;
  settings.htm2chm = "stale";
  ASSERT_TRUE(LoadSettings(Folder(), settings, kPureBasic));
  EXPECT_TRUE(settings.eraseHtmlFiles);
  EXPECT_TRUE(settings.dontOverWriteExistingData);
  EXPECT_EQ(settings.htm2chm, "");
  EXPECT_EQ(settings.lastProjectDir, kPureBasic);

  // A folder already known is kept when the key is missing.
  settings.lastProjectDir = "/home/me/";
  ASSERT_TRUE(LoadSettings(Folder(), settings, kPureBasic));
  EXPECT_EQ(settings.lastProjectDir, "/home/me/");
}

TEST_F(AppSettingsTest, fileWithoutOptionsGroupChangesNothing) {
  Write("QuillSmith.ini", "[Other]\r\nEraseHTMLFiles = 1\r\n");
  AppSettings settings;
  EXPECT_FALSE(LoadSettings(Folder(), settings, kPureBasic));
  EXPECT_EQ(settings, AppSettings{});
}

TEST_F(AppSettingsTest, handWrittenFileIsReadAsThePreferenceRulesSay) {
  Write("QuillSmith.ini",
        "[options]\ncompiletochm=1\nEraseHTMLFiles =\nMaximised = 2\n"
        "LastProjectDir = /work/  \nCurrentLanguage = Deutsch\nDontOverWriteExistingData = 0\n"
        "HTM2CHM = /usr/bin/chmcmd\n");
  AppSettings settings;
  ASSERT_TRUE(LoadSettings(Folder(), settings, kPureBasic));
  EXPECT_TRUE(settings.compileToChm);
  EXPECT_FALSE(settings.eraseHtmlFiles);  // present but empty reads as 0
  EXPECT_TRUE(settings.maximised);        // any number but 0 is on
  EXPECT_EQ(settings.lastProjectDir, "/work/  ");
  EXPECT_EQ(settings.currentLanguage, "Deutsch");
  EXPECT_FALSE(settings.dontOverWriteExistingData);
  EXPECT_EQ(settings.htm2chm, "/usr/bin/chmcmd");
}

TEST_F(AppSettingsTest, saveAndLoadRoundTripAndCreateTheFolder) {
  AppSettings settings;
  settings.htm2chm = "/usr/bin/chmcmd";
  settings.compileToChm = true;
  settings.dontOverWriteExistingData = false;
  settings.eraseHtmlFiles = true;
  settings.maximised = true;
  settings.currentLanguage =
      "Fran\xE7"
      "ais";
  settings.lastProjectDir = "/projects/";
  const std::string folder = Folder() + "config/QuillSmith";
  ASSERT_TRUE(SaveSettings(folder, settings));
  AppSettings loaded;
  ASSERT_TRUE(LoadSettings(folder, loaded, kPureBasic));
  EXPECT_EQ(loaded, settings);
}

TEST_F(AppSettingsTest, failedSaveKeepsThePreviousFile) {
  AppSettings settings;
  ASSERT_TRUE(SaveSettings(Folder(), settings));
  const std::string good = Read("QuillSmith.ini");
  settings.currentLanguage = "Other";
  qs::platform::AtomicFile::FailWritesAfterForTesting(40);
  EXPECT_FALSE(SaveSettings(Folder(), settings));
  EXPECT_EQ(Read("QuillSmith.ini"), good);
  EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
