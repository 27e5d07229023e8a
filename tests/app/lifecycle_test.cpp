// Start-up after the window is built, and shutdown.

#include "app/lifecycle.h"

#include "commandfixture.h"

namespace qs::apptest {
namespace {

TEST_F(CommandTest, firstRunKeepsTheDefaultsAndOffersOnlyEnglish) {
  app::PrepareStart(state, captions, services);
  EXPECT_EQ(state.purebasicFolder, "/opt/purebasic/");
  app::FinishStart(context, "");
  EXPECT_TRUE(ui.keepData);
  EXPECT_FALSE(ui.compile);
  EXPECT_FALSE(ui.eraseHtml);
  EXPECT_FALSE(ui.maximised);
  EXPECT_EQ(state.currentLanguage, "English");
  EXPECT_TRUE(state.lastProjectDir.empty());
  EXPECT_EQ(ui.languageEntries, std::vector<std::string>{"English"});
  EXPECT_EQ(ui.languageSelected, 0);
  EXPECT_FALSE(ui.languageEnabled);
  EXPECT_FALSE(Logged("load language"));
  EXPECT_EQ(log.back(), "focus load");
  EXPECT_EQ(state.activeEditor, app::Editor::None);
}

TEST_F(CommandTest, settingsFillTheOptionsAndMaximiseTheWindow) {
  config::AppSettings stored;
  stored.htm2chm = "/usr/bin/chmcmd";
  stored.compileToChm = true;
  stored.dontOverWriteExistingData = false;
  stored.eraseHtmlFiles = true;
  stored.keywordIndex = true;
  stored.examplesAsCode = true;
  stored.maximised = true;
  stored.windows.main = {{-1000, 20, 800, 600}};
  stored.windows.builder = {{5, 6, 400, 210}};
  stored.currentLanguage = "Deutsch";
  services.settings = stored;
  services.languages = {"Deutsch", "English"};
  services.languageFiles["Deutsch"] = {"Deutsch", config::LanguageTable{"Übersicht"}};
  state.purebasicFolder = "/pb/";
  app::FinishStart(context, "");
  EXPECT_EQ(ui.compilerPath, "/usr/bin/chmcmd");
  EXPECT_TRUE(ui.compile);
  EXPECT_FALSE(ui.keepData);
  EXPECT_TRUE(ui.eraseHtml);
  EXPECT_TRUE(ui.keywordIndex);
  EXPECT_TRUE(ui.examplesAsCode);
  EXPECT_TRUE(ui.maximised);
  EXPECT_EQ(ui.windows, stored.windows);
  // An empty last project folder falls back to the PureBasic folder.
  EXPECT_EQ(state.lastProjectDir, "/pb/");
  EXPECT_TRUE(ui.languageEnabled);
  EXPECT_EQ(ui.languageSelected, 0);
  EXPECT_EQ(ui.headings.overview, "Übersicht");
  EXPECT_LT(LogIndex("read settings"), LogIndex("maximise"));
  // Unmaximised, the window returns to the place it had before it was maximised.
  EXPECT_LT(LogIndex("place windows"), LogIndex("maximise"));
}

// The dictionary and the live pane go from the settings file into the window and back out,
// and the recent projects are offered from the start.
TEST_F(CommandTest, dictionaryLivePaneAndRecentProjectsComeBackFromTheLastRun) {
  app::FinishStart(context, "");
  EXPECT_FALSE(ui.livePane);
  app::SaveSettings(context);
  ASSERT_TRUE(services.written);
  EXPECT_EQ(services.written->dictionary, "");
  EXPECT_FALSE(services.written->livePreview);

  services.settings = config::AppSettings{};
  services.settings->dictionary = "de_AT";
  services.settings->livePreview = true;
  services.recent = {"/w/b.qsp", "/w/a.qsp"};
  app::FinishStart(context, "");
  EXPECT_EQ(ui.dictionary, "de_AT");
  EXPECT_TRUE(state.livePane);
  EXPECT_TRUE(ui.livePane);
  EXPECT_EQ(ui.recentProjects, services.recent);
  ui.dictionary = "en_GB";  // picked on the Options tab
  app::ShutDown(context);
  EXPECT_EQ(services.written->dictionary, "en_GB");
  EXPECT_TRUE(services.written->livePreview);

  // A project opened from the command line is used like one loaded by hand.
  services.projectFiles["/w/c.qsp"] = testsupport::MakeProject({"Index"});
  app::FinishStart(context, "/w/c.qsp");
  EXPECT_EQ(ui.recentProjects, (std::vector<std::string>{"/w/c.qsp", "/w/b.qsp", "/w/a.qsp"}));
  EXPECT_EQ(ui.wordList, "/settings/words//w/c.qsp");
}

TEST_F(CommandTest, aCurrentLanguageLoadsTheEntryOfItsNameInAnyLetterCaseOrNothing) {
  services.settings = config::AppSettings{};
  services.settings->currentLanguage = "Dansk";
  services.languages = {"Deutsch"};
  services.languageFiles["Deutsch"] = {"Deutsch", config::LanguageTable{"Übersicht"}};
  app::FinishStart(context, "");
  EXPECT_EQ(ui.languageSelected, -1);
  EXPECT_FALSE(ui.languageEnabled);
  EXPECT_FALSE(Logged("load language"));
  EXPECT_EQ(captions, config::LanguageTable{});
  EXPECT_FALSE(state.captionsOwned);
  // Another letter case names the same file: the entry is loaded under its own name.
  services.settings->currentLanguage = "deutsch";
  app::FinishStart(context, "");
  EXPECT_EQ(ui.languageSelected, 0);
  EXPECT_TRUE(Logged("load language Deutsch"));
  EXPECT_EQ(state.currentLanguage, "Deutsch");
  EXPECT_EQ(captions.overview, "Übersicht");
  EXPECT_TRUE(state.captionsOwned);
}

TEST_F(CommandTest, projectNamedOnTheCommandLineIsLoadedAndShown) {
  services.projectFiles["/w/p.qsp"] = testsupport::MakeProject({"Index", "A"});
  services.projectFiles["/w/p.qsp"].projectFile = "/elsewhere/p.qsp";
  app::FinishStart(context, "/w/p.qsp");
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(ui.projectField, "/w/p.qsp");
  EXPECT_EQ(ui.form.title, "Index");
  EXPECT_FALSE(project.modified);

  project = {};
  ui.projectField.clear();
  app::FinishStart(context, "/w/missing.qsp");
  EXPECT_TRUE(project.projectFile.empty());
  EXPECT_TRUE(ui.projectField.empty());
  EXPECT_EQ(ui.messages.back().text, "Could not read file '/w/missing.qsp'!");

  // A file that ends after its header lines names nothing the close question could save to.
  services.projectFiles["/w/header.qsp"].projectFile = "/elsewhere/unrelated.txt";
  services.projectFiles["/w/header.qsp"].libraryFile = "/lib/Other";
  app::FinishStart(context, "/w/header.qsp");
  EXPECT_TRUE(project.projectFile.empty());
  EXPECT_TRUE(project.libraryFile.empty());
}

TEST_F(CommandTest, compilerPathIsLookedUpOnlyWhenEmptyAndTheFileIsThere) {
  services.compiler = "/usr/bin/chmcmd";
  app::FinishStart(context, "");
  EXPECT_TRUE(ui.compilerPath.empty());
  services.nonEmptyFiles.push_back("/usr/bin/chmcmd");
  app::FinishStart(context, "");
  EXPECT_EQ(ui.compilerPath, "/usr/bin/chmcmd");
}

TEST_F(CommandTest, closingAnUnnamedProjectAsksAndACancelledSaveAsKeepsTheProgramRunning) {
  UseProject({"Index", "A"}, "");
  project.modified = true;
  EXPECT_FALSE(app::ShutDown(context));
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, "Save changes to the new project?");
  EXPECT_EQ(ui.requesters.back().title, "Save QuillSmith Project");
  EXPECT_TRUE(services.savedTo.empty());
  EXPECT_FALSE(Logged("write settings"));
  EXPECT_TRUE(project.modified);
}

TEST_F(CommandTest, closingAfterTypingAloneAsksAndDiscardDropsTheWorkAndItsRecoveryCopy) {
  UseProject({"Index", "A"});
  project.SetShownTopic("A");
  ui.form = {"typed", "", "", ""};
  ui.saveAnswers.push_back(app::SaveAnswer::Discard);
  EXPECT_TRUE(app::ShutDown(context));
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_TRUE(services.savedTo.empty());
  EXPECT_EQ(services.recoveryRemoved.back(), "/w/p.qsp");
  EXPECT_LT(LogIndex("save language English"), LogIndex("write settings"));
}

TEST_F(CommandTest, closingCancelledLeavesEverythingAndTheViewModeEndsOnTheForm) {
  UseProject({"Index", "A"});
  project.ShowRow(1);
  project.modified = true;
  state.viewMode = true;
  ui.form = {"typed", "", "", ""};
  ui.saveAnswers.push_back(app::SaveAnswer::Cancel);
  EXPECT_FALSE(app::ShutDown(context));
  EXPECT_TRUE(services.savedTo.empty());
  EXPECT_TRUE(services.recoveryRemoved.empty());
  EXPECT_FALSE(Logged("write settings"));
  EXPECT_FALSE(Logged("save language"));
  EXPECT_FALSE(state.viewMode);
  EXPECT_EQ(ui.form.title, "typed");
  EXPECT_TRUE(project.modified);
}

TEST_F(CommandTest, closingModifiedAsksAndYesCommitsBeforeSaving) {
  UseProject({"Index", "A"}, "/w/My Help.qsp");
  project.SetShownTopic("A");
  project.modified = true;
  ui.form = {"typed", "A()", "", ""};
  ui.compilerPath = "/c";
  ui.maximised = true;
  ui.windows.main = {{10, 20, 700, 500}};
  ui.windows.preview = {{30, 40, 900, 700}};
  ui.keywordIndex = true;
  ui.examplesAsCode = true;
  state.lastProjectDir = "/w/";
  app::ShutDown(context);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0], (text::Report{"QuillSmith", "Save changes to My Help.qsp?",
                                           text::ReportIcon::Question}));
  EXPECT_EQ(services.projectFiles["/w/My Help.qsp"].FindTopic("A")->title, "typed");
  ASSERT_TRUE(services.written.has_value());
  EXPECT_EQ(services.written->htm2chm, "/c");
  EXPECT_TRUE(services.written->maximised);
  EXPECT_EQ(services.written->windows, ui.windows);
  EXPECT_TRUE(services.written->keywordIndex);
  EXPECT_TRUE(services.written->examplesAsCode);
  EXPECT_TRUE(services.written->dontOverWriteExistingData);
  EXPECT_EQ(services.written->lastProjectDir, "/w/");
  EXPECT_LT(LogIndex("save /w/"), LogIndex("save language"));
}

TEST_F(CommandTest, closingModifiedAnsweredDiscardSavesNoProject) {
  UseProject({"Index"});
  project.modified = true;
  ui.saveAnswers.push_back(app::SaveAnswer::Discard);
  app::ShutDown(context);
  EXPECT_TRUE(services.savedTo.empty());
  EXPECT_TRUE(services.written.has_value());
}

}  // namespace
}  // namespace qs::apptest
