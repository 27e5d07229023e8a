// The Options tab: the compiler requester and the compile option's rule, the language list
// and the heading fields, the association of project files.

#include "commandfixture.h"

namespace qs::apptest {
namespace {

TEST_F(CommandTest, compilerRequesterStartsAtTheLookUpOrTheProgramFolder) {
  services.compiler = "/usr/bin/chmcmd";
  ui.files = {{"/opt/hhc/hhc.exe", 0}};
  commands.options.BrowseCompiler();
  ASSERT_EQ(ui.requesters.size(), 1u);
  EXPECT_EQ(ui.requesters[0].kind, "open");
  EXPECT_EQ(ui.requesters[0].title, "HTML2CHM Compiler");
  EXPECT_EQ(ui.requesters[0].start, "/usr/bin/chmcmd");
  EXPECT_EQ(ui.requesters[0].pattern,
            "Microsoft HTML Help Compiler|hhc.exe|Executables|*.exe|All files|*.*");
  EXPECT_EQ(ui.compilerPath, "/opt/hhc/hhc.exe");

  services.compiler.clear();
  commands.options.BrowseCompiler();  // cancelled
  EXPECT_EQ(ui.requesters[1].start, "/prog/");
  EXPECT_EQ(ui.compilerPath, "/opt/hhc/hhc.exe");
}

TEST_F(CommandTest, compileOptionCannotStayOnWithoutACompilerPath) {
  ui.compilerPath = "/usr/bin/chmcmd";
  ui.compile = true;
  commands.options.CompileOptionChanged();
  EXPECT_TRUE(ui.compile);
  ui.compilerPath.clear();
  commands.options.CompileOptionChanged();
  EXPECT_FALSE(ui.compile);
}

TEST_F(CommandTest, associationMessagesTellWhatHappened) {
  commands.options.Associate();
  commands.options.RemoveAssociation();
  services.associationWorks = false;
  commands.options.Associate();
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0], text::InformationReport("QuillSmith project files are registered"));
  EXPECT_EQ(ui.messages[1], text::InformationReport("QuillSmith project files are unregistered"));
  EXPECT_EQ(ui.messages[2].title, "Error");
}

TEST_F(CommandTest, choosingAnotherLanguageSavesTheEditedOneThenLoads) {
  config::LanguageTable german;
  german.syntax = "Syntax DE";
  services.languageFiles["Deutsch"] = {"Deutsch", german};
  ui.headings.overview = "  Summary  ";
  commands.options.CaptionEdited();
  EXPECT_EQ(captions.overview, "Summary");
  EXPECT_EQ(ui.headings.overview, "  Summary  ");

  ui.languageChosen = "Deutsch";
  commands.options.LanguageChosen();
  ASSERT_EQ(services.savedLanguages.size(), 1u);
  EXPECT_EQ(services.savedLanguages[0].first, "English");
  EXPECT_EQ(services.savedLanguages[0].second.overview, "Summary");
  EXPECT_EQ(state.currentLanguage, "Deutsch");
  EXPECT_EQ(captions.syntax, "Syntax DE");
  EXPECT_EQ(ui.headings.syntax, "Syntax DE");

  // An entry whose file cannot be read: the old language is saved and stays current.
  ui.languageChosen = "QuillSmith_Broken.lng";
  commands.options.LanguageChosen();
  EXPECT_EQ(services.savedLanguages.size(), 2u);
  EXPECT_EQ(state.currentLanguage, "Deutsch");
}

}  // namespace
}  // namespace qs::apptest
