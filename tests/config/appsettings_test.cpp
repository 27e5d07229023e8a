#include "config/appsettings.h"

#include <gtest/gtest.h>

#include "support/logcapture.h"
#include "support/tempfolder.h"

namespace {

using qs::config::AppSettings;
using qs::config::LoadSettings;
using qs::config::SaveSettings;

class AppSettingsTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
};

const std::string kPureBasic = "/opt/purebasic/";

// The eight lines every version writes, then the keyword index option.
TEST_F(AppSettingsTest, firstRunKeepsBuiltInValuesAndWritesTheOldLinesThenTheNewKey) {
  AppSettings settings;
  EXPECT_FALSE(LoadSettings(temp_.Path(), settings, kPureBasic));
  EXPECT_EQ(settings, AppSettings{});
  EXPECT_TRUE(settings.dontOverWriteExistingData && !settings.eraseHtmlFiles);
  EXPECT_FALSE(settings.keywordIndex);
  EXPECT_FALSE(settings.examplesAsCode);
  EXPECT_EQ(settings.lastProjectDir, "");  // no file: no fallback either
  ASSERT_TRUE(SaveSettings(temp_.Path(), settings));
  EXPECT_EQ(temp_.Read("QuillSmith.ini"),
            "[Options]\r\nHTM2CHM = \r\nCompileToCHM = 0\r\nDontOverWriteExistingData = 1\r\n"
            "EraseHTMLFiles = 0\r\nMaximised = 0\r\nCurrentLanguage = English\r\n"
            "LastProjectDir = \r\nKeywordIndex = 0\r\nDictionary = \r\nLivePreview = 0\r\n"
            "ExamplesAsCode = 0\r\nMainWindowPlace = \r\nPreviewWindowPlace = \r\n"
            "BuilderWindowPlace = \r\n");
}

// A file of an earlier version, which lacks the newer keys, reads them as off and empty; saved
// again, its lines come back unchanged, with the new keys after them in their order.
TEST_F(AppSettingsTest, aFileWithoutTheNewerKeysReadsThemAsDefaultsAndKeepsItsLines) {
  const std::string earlier =
      "[Options]\r\nHTM2CHM = /usr/bin/chmcmd\r\nCompileToCHM = 1\r\n"
      "DontOverWriteExistingData = 0\r\nEraseHTMLFiles = 1\r\nMaximised = 1\r\n"
      "CurrentLanguage = Deutsch\r\nLastProjectDir = /p/\r\n";
  temp_.Write("QuillSmith.ini", earlier);
  AppSettings settings;
  settings.keywordIndex = true;
  settings.dictionary = "de_DE";
  settings.livePreview = true;
  settings.examplesAsCode = true;
  ASSERT_TRUE(LoadSettings(temp_.Path(), settings, kPureBasic));
  EXPECT_FALSE(settings.keywordIndex);
  EXPECT_EQ(settings.dictionary, "");
  EXPECT_FALSE(settings.livePreview);
  EXPECT_FALSE(settings.examplesAsCode);
  settings.keywordIndex = true;
  settings.dictionary = "de_AT";
  settings.livePreview = true;
  settings.examplesAsCode = true;
  ASSERT_TRUE(SaveSettings(temp_.Path(), settings));
  settings.windows.main = {{40, 30, 900, 640}};
  settings.windows.builder = {{-1200, 5, 390, 202}};
  ASSERT_TRUE(SaveSettings(temp_.Path(), settings));
  EXPECT_EQ(temp_.Read("QuillSmith.ini"),
            earlier +
                "KeywordIndex = 1\r\nDictionary = de_AT\r\n"
                "LivePreview = 1\r\nExamplesAsCode = 1\r\nMainWindowPlace = 40,30,900,640\r\n"
                "PreviewWindowPlace = \r\nBuilderWindowPlace = -1200,5,390,202\r\n");
  AppSettings loaded;
  ASSERT_TRUE(LoadSettings(temp_.Path(), loaded, kPureBasic));
  EXPECT_TRUE(loaded.keywordIndex);
  EXPECT_EQ(loaded.dictionary, "de_AT");
  EXPECT_TRUE(loaded.livePreview);
  EXPECT_TRUE(loaded.examplesAsCode);
  EXPECT_EQ(loaded.windows, settings.windows);

  // A file of the version before this option keeps its lines too, the option after them.
  const std::string withLivePreview =
      earlier + "KeywordIndex = 0\r\nDictionary = \r\nLivePreview = 1\r\n";
  temp_.Write("QuillSmith.ini", withLivePreview);
  ASSERT_TRUE(LoadSettings(temp_.Path(), loaded, kPureBasic));
  EXPECT_FALSE(loaded.examplesAsCode);
  EXPECT_EQ(loaded.windows, qs::config::WindowPlaces{});
  ASSERT_TRUE(SaveSettings(temp_.Path(), loaded));
  EXPECT_EQ(temp_.Read("QuillSmith.ini"),
            withLivePreview +
                "ExamplesAsCode = 0\r\nMainWindowPlace = \r\nPreviewWindowPlace = \r\n"
                "BuilderWindowPlace = \r\n");
}

TEST_F(AppSettingsTest, missingKeysTurnEraseOnAndFallBackToPureBasicFolder) {
  temp_.Write("QuillSmith.ini", "[Options]\r\n");
  AppSettings settings;
  ASSERT_TRUE(LoadSettings(temp_.Path(), settings, kPureBasic));
  EXPECT_TRUE(settings.eraseHtmlFiles);
  EXPECT_EQ(settings.lastProjectDir, kPureBasic);
  settings.lastProjectDir = "/home/me/";  // a folder already known is kept
  ASSERT_TRUE(LoadSettings(temp_.Path(), settings, kPureBasic));
  EXPECT_EQ(settings.lastProjectDir, "/home/me/");

  temp_.Write("QuillSmith.ini", "[Other]\r\nEraseHTMLFiles = 1\r\n");  // no Options group
  AppSettings untouched;
  EXPECT_FALSE(LoadSettings(temp_.Path(), untouched, kPureBasic));
  EXPECT_EQ(untouched, AppSettings{});
}

// The program carries on with its built-in settings when the file fails; the log names it.
TEST_F(AppSettingsTest, settingsThatCannotBeReadOrWrittenAreLoggedNamingTheFile) {
  qs::testsupport::LogCapture log("qs.config");
  AppSettings settings;
  EXPECT_FALSE(LoadSettings(temp_.Path(), settings, kPureBasic));
  temp_.Write("sub/QuillSmith.ini/x", "a folder where the file goes");
  EXPECT_FALSE(SaveSettings(temp_.Path("sub"), settings));
  ASSERT_TRUE(SaveSettings(temp_.Path(), settings));  // logs nothing
  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "qs.config: no settings read: '" + temp_.Path("QuillSmith.ini") +
                                 "' is missing, unreadable or too large",
                             "qs.config: warning settings not written: '" +
                                 qs::config::SettingsFilePath(temp_.Path("sub")) + "'"}));
}

TEST_F(AppSettingsTest, handWrittenFileFollowsThePreferenceRules) {
  temp_.Write(
      "QuillSmith.ini",
      "[options]\ncompiletochm=1\nEraseHTMLFiles =\nMaximised = 2\nLastProjectDir = /w/  \n");
  AppSettings settings;
  ASSERT_TRUE(LoadSettings(temp_.Path(), settings, kPureBasic));
  EXPECT_TRUE(settings.compileToChm);
  EXPECT_FALSE(settings.eraseHtmlFiles);  // present but empty reads as 0
  EXPECT_TRUE(settings.maximised);        // any number but 0 is on
  EXPECT_EQ(settings.lastProjectDir, "/w/  ");
}

// A place edited by hand or cut short opens the window as on a first run; blanks and a place
// on a screen left of or above the first one read as written.
TEST_F(AppSettingsTest, windowPlacesReadOnlyWhenWhole) {
  using qs::config::WindowPlace;
  const std::pair<const char*, std::optional<WindowPlace>> cases[] = {
      {"10,20,800,600", WindowPlace{10, 20, 800, 600}},
      {" -1920 , -40 ,1024,  768  ", WindowPlace{-1920, -40, 1024, 768}},
      {"", std::nullopt},
      {"10,20,800", std::nullopt},
      {"10,20,800,600,5", std::nullopt},
      {"10,20,0,600", std::nullopt},
      {"10,20,800,-600", std::nullopt},
      {"10,20,800,6OO", std::nullopt},
      {"10,,800,600", std::nullopt},
      {"10,20,800,99999999999", std::nullopt},
  };
  for (const auto& [value, expected] : cases) {
    temp_.Write("QuillSmith.ini",
                std::string("[Options]\r\nPreviewWindowPlace = ") + value + "\r\n");
    AppSettings settings;
    settings.windows.preview = WindowPlace{1, 2, 3, 4};
    ASSERT_TRUE(LoadSettings(temp_.Path(), settings, kPureBasic));
    EXPECT_EQ(settings.windows.preview, expected) << value;
    EXPECT_FALSE(settings.windows.main.has_value());
  }
}

TEST_F(AppSettingsTest, roundTripCreatesTheFolder) {
  AppSettings settings{"/usr/bin/chmcmd",
                       true,
                       false,
                       true,
                       true,
                       "Fran\xE7"
                       "ais",
                       "/p/",
                       true,
                       "de_CH"};
  settings.windows = {{{0, 0, 1, 1}}, {{-5, -6, 700, 500}}, {{2, 3, 390, 202}}};
  ASSERT_TRUE(SaveSettings(temp_.Path() + "config/QuillSmith", settings));
  AppSettings loaded;
  ASSERT_TRUE(LoadSettings(temp_.Path() + "config/QuillSmith", loaded, kPureBasic));
  EXPECT_EQ(loaded, settings);
}

}  // namespace
