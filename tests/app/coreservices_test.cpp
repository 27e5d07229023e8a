// Start-up and shutdown against the real settings and language files.

#include "app/coreservices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/commands.h"
#include "app/lifecycle.h"
#include "fakes.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::apptest {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CoreLifecycleTest : public ::testing::Test {
 protected:
  void Run(FakeUi& ui, const std::string& projectArgument = "") {
    app::CoreServices services("/prog/quillsmith", temp.Path());
    const app::CommandContext context{project, state, captions, services, ui};
    app::PrepareStart(state, captions, services);
    app::FinishStart(context, projectArgument);
    app::ShutDown(context);
  }

  testsupport::TempFolder temp;
  fs::path folder{temp.Path()};
  Log log;
  FakeUi ui{log};
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
};

TEST_F(CoreLifecycleTest, firstRunWritesTheSettingsAndTheEnglishLanguageFile) {
  Run(ui);
  EXPECT_EQ(ReadAll(folder / "QuillSmith.ini"),
            "[Options]\r\nHTM2CHM = " + ui.compilerPath +
                "\r\nCompileToCHM = 0\r\nDontOverWriteExistingData = 1\r\nEraseHTMLFiles = 0\r\n"
                "Maximised = 0\r\nCurrentLanguage = English\r\nLastProjectDir = \r\n"
                "KeywordIndex = 0\r\nDictionary = \r\nLivePreview = 0\r\nExamplesAsCode = 0\r\n"
                "MainWindowPlace = \r\nPreviewWindowPlace = \r\nBuilderWindowPlace = \r\n");
  EXPECT_EQ(ReadAll(folder / "QuillSmith_English.lng"),
            ";QuillSmith localisation file\r\n[Language]\r\nCurrentLanguage = English\r\n"
            "Overview = Overview\r\nCommandIndex = Command Index\r\nSyntax = Syntax\r\n"
            "Example = Example\r\nDescription = Description\r\nFunctions = Functions\r\n");
  EXPECT_EQ(ui.languageEntries, std::vector<std::string>{"English"});
  EXPECT_FALSE(ui.languageEnabled);
}

TEST_F(CoreLifecycleTest, secondRunReadsWhatTheFirstWrote) {
  ui.maximised = true;
  ui.eraseHtml = true;
  ui.windows.main = {{-1280, 0, 1000, 700}};
  Run(ui);
  FakeUi second{log};
  Run(second);
  EXPECT_TRUE(second.maximised);
  EXPECT_EQ(second.windows, ui.windows);
  EXPECT_TRUE(second.eraseHtml);
  // One language file: listed, selected, and the list disabled.
  EXPECT_EQ(second.languageEntries, std::vector<std::string>{"English"});
  EXPECT_EQ(second.languageSelected, 0);
  EXPECT_FALSE(second.languageEnabled);
}

TEST_F(CoreLifecycleTest, twoLanguageFilesEnableTheListAndLoadTheCurrentOne) {
  std::ofstream(folder / "QuillSmith_Deutsch.lng", std::ios::binary)
      << "[Language]\r\nCurrentLanguage = Deutsch\r\nSyntax = Aufruf\r\n";
  std::ofstream(folder / "QuillSmith_English.lng", std::ios::binary)
      << "[Language]\r\nCurrentLanguage = English\r\n";
  std::ofstream(folder / "QuillSmith.ini", std::ios::binary)
      << "[Options]\r\nCurrentLanguage = Deutsch\r\n";
  Run(ui);
  EXPECT_TRUE(ui.languageEnabled);
  EXPECT_EQ(ui.languageEntries, (std::vector<std::string>{"Deutsch", "English"}));
  EXPECT_EQ(ui.languageSelected, 0);
  EXPECT_EQ(ui.headings.syntax, "Aufruf");
  // The key missing from the settings file turns erasing on.
  EXPECT_TRUE(ui.eraseHtml);
}

TEST_F(CoreLifecycleTest, languageFilesGetOnlyCaptionsTheyGaveOrTheUserTyped) {
  const std::string german = "[Language]\r\nCurrentLanguage = \r\nSyntax = Aufruf\r\n";
  std::ofstream(folder / "QuillSmith_Deutsch.lng", std::ios::binary) << german;
  std::ofstream(folder / "QuillSmith_English.lng", std::ios::binary)
      << "[Language]\r\nCurrentLanguage = English\r\nOverview = Summary\r\n";
  // A name in another letter case than the file's still finds that file. Its entry is
  // selected and loaded, so an edited caption joins the file's own captions: the built-in
  // ones were written over it under the other spelling.
  std::ofstream(folder / "QuillSmith.ini", std::ios::binary)
      << "[Options]\r\nCurrentLanguage = english\r\n";
  {
    app::CoreServices services("/prog/quillsmith", temp.Path());
    const app::CommandContext context{project, state, captions, services, ui};
    app::PrepareStart(state, captions, services);
    app::FinishStart(context, "");
    EXPECT_EQ(ui.languageEntries, (std::vector<std::string>{"Deutsch", "English"}))
        << "an empty name still offers the language";
    EXPECT_EQ(ui.languageSelected, 1);
    EXPECT_EQ(ui.headings.overview, "Summary");
    ui.headings.example = " Sample ";
    app::Commands(context).options.CaptionEdited();
    app::ShutDown(context);
  }
  EXPECT_EQ(ReadAll(folder / "QuillSmith_English.lng"),
            ";QuillSmith localisation file\r\n[Language]\r\nCurrentLanguage = English\r\n"
            "Overview = Summary\r\nCommandIndex = Command Index\r\nSyntax = Syntax\r\n"
            "Example = Sample\r\nDescription = Description\r\nFunctions = Functions\r\n");
  EXPECT_EQ(ReadAll(folder / "QuillSmith_Deutsch.lng"), german);
  EXPECT_NE(ReadAll(folder / "QuillSmith.ini").find("CurrentLanguage = English\r\n"),
            std::string::npos);
  // Listed, not looked up: a file system that ignores letter case finds any spelling.
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_NE(entry.path().filename().string(), "QuillSmith_english.lng");
  }

  // Chosen in the list, it loads under its own name, and the captions it gave go back.
  FakeUi second{log};
  app::CoreServices services("/prog/quillsmith", temp.Path());
  const app::CommandContext context{project, state, captions, services, second};
  app::PrepareStart(state, captions, services);
  app::FinishStart(context, "");
  second.languageChosen = "Deutsch";
  app::Commands(context).options.LanguageChosen();
  EXPECT_EQ(state.currentLanguage, "Deutsch");
  EXPECT_EQ(second.headings.syntax, "Aufruf");
  app::ShutDown(context);
  const std::string written = ReadAll(folder / "QuillSmith_Deutsch.lng");
  EXPECT_NE(written.find("CurrentLanguage = Deutsch\r\n"), std::string::npos);
  EXPECT_NE(written.find("Syntax = Aufruf\r\n"), std::string::npos);
}

// Two windows open over the same language file: the one that closes last never writes over
// captions the other saved, unless its author typed captions and says so.
TEST_F(CoreLifecycleTest, aWindowClosingLastKeepsTheCaptionsAnotherWindowSaved) {
  struct Window {
    explicit Window(const testsupport::TempFolder& temp, Log& log)
        : ui{log}, services("/prog/quillsmith", temp.Path()) {}
    FakeUi ui;
    app::CoreServices services;
    project::HelpProject project;
    app::AppState state;
    config::LanguageTable captions;
    app::CommandContext context{project, state, captions, services, ui};
  };
  struct Case {
    const char* what;
    bool typedInFirst;
    bool overwrite;
    const char* syntaxAfter;
  };
  for (const Case& c : {Case{"nothing typed", false, false, "Aufruf"},
                        Case{"typed, kept the other", true, false, "Aufruf"},
                        Case{"typed, overwritten", true, true, "Call"}}) {
    for (const char* name : {"QuillSmith_English.lng", "QuillSmith.ini"}) {
      fs::remove(folder / name);
    }
    // No language file at all yet: the second window's is the first written.
    Window first(temp, log), second(temp, log);
    for (Window* window : {&first, &second}) {
      app::PrepareStart(window->state, window->captions, window->services);
      app::FinishStart(window->context, "");
    }
    second.ui.headings.syntax = "Aufruf";
    app::Commands(second.context).options.CaptionEdited();
    ASSERT_TRUE(app::ShutDown(second.context));
    ASSERT_NE(ReadAll(folder / "QuillSmith_English.lng").find("Syntax = Aufruf"),
              std::string::npos);

    if (c.typedInFirst) {
      first.ui.headings.syntax = "Call";
      app::Commands(first.context).options.CaptionEdited();
    }
    first.ui.answers = {c.overwrite};
    ASSERT_TRUE(app::ShutDown(first.context));
    EXPECT_EQ(first.ui.questions.size(), c.typedInFirst ? 1u : 0u) << c.what;
    EXPECT_NE(
        ReadAll(folder / "QuillSmith_English.lng").find(std::string("Syntax = ") + c.syntaxAfter),
        std::string::npos)
        << c.what;
  }
}

}  // namespace
}  // namespace qs::apptest
