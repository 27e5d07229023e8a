// The commands that write the help: the two previews, "Create HTML files" with the builder
// window and its compile step, the unique HTML file and the website.

#include <filesystem>
#include <fstream>

#include "commandfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::apptest {
namespace {

class BuildCommandTest : public CommandTest {
 protected:
  // The last status line with its time spans ("0.0 s") written as "T".
  std::string LastStatus() const {
    if (ui.statuses.empty()) return {};
    std::string status = ui.statuses.back();
    for (std::size_t at = status.find(" s"); at != std::string::npos;
         at = status.find(" s", at + 2)) {
      std::size_t number = at;
      while (number > 0 && (std::isdigit(static_cast<unsigned char>(status[number - 1])) ||
                            status[number - 1] == '.')) {
        --number;
      }
      if (number == at) continue;
      status.replace(number, at - number, "T");
      at = number;
    }
    return status;
  }

  BuildCommandTest() {
    UseProject({"Index", "Split", "Notes*", "License*"});
    project.libraryFile = "/libs/TextKit";
    project.helpFolder = "/help/";
    project.SetShownTopic("Notes");
    project.SelectRow(2);
    ui.form = {"Notes typed", "", "body typed", ""};
    ui.compilerPath = "/usr/bin/chmcmd";
  }
};

TEST_F(BuildCommandTest, previewsCommitAndShowThePageMadeOnRequestWithoutWritingAnything) {
  state.activeEditor = app::Editor::Body;
  commands.build.PreviewPage();
  EXPECT_EQ(project.FindTopic("Notes")->body, "body typed");
  ASSERT_EQ(ui.previews.size(), 1u);
  EXPECT_EQ(ui.previews[0].title, "QuillSmith [HTML Preview] - TextKit library help");
  EXPECT_EQ(ui.previews[0].page, "preview://help/Notes.html");
  EXPECT_EQ(state.activeEditor, app::Editor::None);
  // The browser is given the committed page, and any page it links to, when it asks.
  const auto page = commands.previews.Page("help", "Notes.html");
  ASSERT_TRUE(page);
  EXPECT_NE(page->find("body typed"), std::string::npos);
  EXPECT_TRUE(commands.previews.Page("help", "split.html"));

  commands.Command(app::CommandId::PreviewAll);
  EXPECT_EQ(ui.previews.back().page, "preview://help/Index.html");
  commands.Command(app::CommandId::PreviewPage);
  EXPECT_EQ(ui.previews.back().page, "preview://help/Notes.html");
  EXPECT_FALSE(Logged("build"));
}

TEST_F(BuildCommandTest, previewsDoNothingWithoutATopic) {
  project.SetShownTopic({});
  state.activeEditor = app::Editor::Summary;
  commands.Command(app::CommandId::PreviewPage);
  commands.Command(app::CommandId::PreviewAll);
  // The keys leave the editor of the tag buttons alone when there is nothing to preview.
  EXPECT_EQ(state.activeEditor, app::Editor::Summary);
  commands.build.PreviewAll();
  EXPECT_EQ(state.activeEditor, app::Editor::None);
  EXPECT_TRUE(log.empty());

  EXPECT_TRUE(ui.previews.empty());
}

TEST_F(BuildCommandTest, previewWindowInViewModeLeavesTheViewItsPage) {
  commands.page.EditView();
  ASSERT_TRUE(state.viewMode);
  ASSERT_EQ(ui.browser, "preview://help/Notes.html");
  commands.build.PreviewAll();
  EXPECT_EQ(ui.previews.size(), 1u);
  EXPECT_TRUE(state.viewMode);
  EXPECT_EQ(ui.browser, "preview://help/Notes.html");
  commands.page.EditView();
  EXPECT_FALSE(state.viewMode);
  EXPECT_FALSE(Logged("build"));
}

TEST_F(BuildCommandTest, createHtmlRefusesWithoutAHelpFolderButCommitsFirst) {
  project.helpFolder.clear();
  commands.build.CreateHtml();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            (text::Report{"WARNING", "No help folder defined!", text::ReportIcon::Exclamation}));
  EXPECT_EQ(project.FindTopic("Notes")->title, "Notes typed");
  EXPECT_FALSE(Logged("build"));
  EXPECT_TRUE(ui.builders.empty());
}

TEST_F(BuildCommandTest, createHtmlLeavesViewModeErasesBuildsShowsTheBuilderAndCleansUp) {
  commands.page.EditView();
  log.clear();
  commands.build.CreateHtml();
  EXPECT_FALSE(state.viewMode);
  EXPECT_FALSE(ui.viewMode);
  // The form is not refilled.
  EXPECT_FALSE(Logged("show "));
  EXPECT_LT(LogIndex("edit mode"), LogIndex("build /help/"));
  EXPECT_LT(LogIndex("build /help/"), LogIndex("builder window"));
  EXPECT_LT(LogIndex("builder window"), LogIndex("compile"));
  EXPECT_LT(LogIndex("builder closed"), LogIndex("delete temp files"));
  ASSERT_EQ(ui.builders.size(), 1u);
  EXPECT_EQ(ui.builders[0].firstLabel, "Help files created in /help/ :");
  EXPECT_EQ(ui.builders[0].log, "/help/Index.html\n");
  // Compilation is off: the label stays.
  EXPECT_EQ(ui.builders[0].finalLabel, "Help files created in /help/ :");
  EXPECT_EQ(services.compiledWith, (output::CompileOptions{false, "/usr/bin/chmcmd"}));
  // Without the erase option only a preview's files go, before the build; never a help folder.
  EXPECT_EQ(std::count(log.begin(), log.end(), "erase build"), 0);
  EXPECT_EQ(LastStatus(), "Built 1 page in T s into /help/");
}

TEST_F(BuildCommandTest, theKeywordIndexIsWrittenByCreateHtmlAndNeverByAPreview) {
  ui.keywordIndex = true;
  commands.build.PreviewPage();
  commands.page.EditView();
  EXPECT_FALSE(Logged("build /tmp/preview/ with keyword index"));
  commands.page.EditView();
  commands.build.CreateHtml();
  EXPECT_TRUE(Logged("build /help/ with keyword index"));
  ui.keywordIndex = false;
  ui.examplesAsCode = true;
  commands.build.CreateHtml();
  EXPECT_TRUE(Logged("build /help/ with examples as code"));
}

TEST_F(BuildCommandTest, aCompiledHelpFileNamesItselfInTheLabel) {
  ui.compile = true;
  commands.build.CreateHtml();
  ASSERT_EQ(ui.builders.size(), 1u);
  EXPECT_EQ(ui.builders[0].finalLabel, "Help files compiled to /help/TextKit.chm :");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(LastStatus(), "Built 1 page in T s into /help/; compiled /help/TextKit.chm in T s");
  EXPECT_TRUE(ui.builders[0].messages.empty());
  EXPECT_EQ(ui.builders[0].messagesHeading, "");
  EXPECT_EQ(ui.builders[0].compiledFile, "/help/TextKit.chm") << "Open help opens it";

  // A help made despite the compiler's errors is never reported as simply compiled: the label
  // and the status line count them, and the window lists them first, with their pages.
  using output::CompilerMessageKind;
  services.compilerMessages = {
      {CompilerMessageKind::Error, "Split.html", "Html parsing Split.html, failed"},
      {CompilerMessageKind::Error, "Notes.html", "Html parsing Notes.html, failed"},
      {CompilerMessageKind::Warning, "Index.html", "Found file x.html while scanning Index.html"}};
  commands.build.CreateHtml();
  ASSERT_EQ(ui.builders.size(), 2u);
  EXPECT_EQ(ui.builders[1].finalLabel,
            "Help files compiled with 2 errors and 1 warning to /help/TextKit.chm :");
  EXPECT_EQ(ui.builders[1].messages,
            (std::vector<std::string>{
                "Error in Split.html: Html parsing Split.html, failed",
                "Error in Notes.html: Html parsing Notes.html, failed",
                "Warning in Index.html: Found file x.html while scanning Index.html"}));
  EXPECT_EQ(ui.builders[1].messagesHeading, "The compiler reported 2 errors and 1 warning:");
  EXPECT_EQ(ui.builders[1].errors, 2u);
  EXPECT_EQ(LastStatus(),
            "Built 1 page in T s into /help/; /help/TextKit.chm compiled with 2 errors and 1 "
            "warning in T s");
}

// "Open help" opens the compiled file with the desktop's viewer, and says why when it cannot:
// the file went since, no viewer is set up for it, or the viewer fails.
TEST_F(BuildCommandTest, openHelpOpensTheCompiledFileOrSaysWhyItCannot) {
  ui.compile = true;
  ui.clickOpenHelp = true;
  const struct {
    const char* what;
    bool fileThere, viewer, opens;
    std::string said;  // empty: opened, nothing said
  } cases[] = {
      {"all well", true, true, true, ""},
      {"file gone", false, true, true, "The help file '/help/TextKit.chm' no longer exists."},
      {"no viewer", true, false, true,
       "No program to show help files (.chm) is set up on this system.\nInstall a viewer for "
       "them, or open '/help/TextKit.chm' with one you have."},
      {"viewer fails", true, true, false,
       "The viewer for help files could not open '/help/TextKit.chm'."},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    log.clear();
    services.nonEmptyFiles.clear();
    if (c.fileThere) services.nonEmptyFiles.push_back("/help/TextKit.chm");
    services.hasViewer = c.viewer;
    ui.openWorks = c.opens;
    commands.build.CreateHtml();
    EXPECT_EQ(Logged("open /help/TextKit.chm"), c.fileThere && c.viewer) << c.what;
    if (c.said.empty()) {
      EXPECT_TRUE(ui.messages.empty()) << c.what;
    } else {
      ASSERT_EQ(ui.messages.size(), 1u) << c.what;
      EXPECT_EQ(ui.messages[0], text::ErrorReport(c.said)) << c.what;
    }
  }
  // Without a compiled file the button is disabled: nothing to open, nothing said.
  ui.messages.clear();
  log.clear();
  ui.compile = false;
  commands.build.CreateHtml();
  EXPECT_EQ(ui.builders.back().compiledFile, "");
  EXPECT_FALSE(Logged("open "));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BuildCommandTest, compileFailuresAreShownInTheBuilderAndMaySwitchTheOptionOff) {
  ui.compile = true;
  ui.eraseHtml = true;
  services.compileWorks = false;
  services.compileSwitchesOff = true;
  services.compileReport = text::BuildErrorReport("Help compiler not found!\n'/usr/bin/chmcmd'");
  commands.build.CreateHtml();
  ASSERT_EQ(ui.builders.size(), 1u);
  EXPECT_EQ(ui.builders[0].finalLabel, "Help files created in /help/ :");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "ERROR");
  EXPECT_LT(LogIndex("message Help compiler not found!"), LogIndex("builder closed"));
  EXPECT_FALSE(ui.compile);
  // The erase option erases the build after the window also when nothing was compiled.
  EXPECT_GT(std::count(log.begin() + static_cast<std::ptrdiff_t>(LogIndex("builder closed")),
                       log.end(), "erase build"),
            0);
  EXPECT_EQ(LastStatus(), "Built 1 page in T s into /help/; the HTML files were erased");

  // A failure that keeps the option: still checked.
  ui.compile = true;
  services.compileSwitchesOff = false;
  commands.build.CreateHtml();
  EXPECT_TRUE(ui.compile);
}

TEST_F(BuildCommandTest, aFailedBuildSaysSoOpensNoWindowAndStillHonoursTheEraseOption) {
  services.buildLog.clear();
  ui.eraseHtml = true;
  commands.build.CreateHtml();
  EXPECT_TRUE(ui.builders.empty());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Could not create file '/help/Index.html'!");
  EXPECT_EQ(ui.messages[1], text::BuildErrorReport("Error during help files creation!"));
  EXPECT_FALSE(Logged("delete temp files"));
  EXPECT_EQ(std::count(log.begin(), log.end(), "erase build"), 1);
  EXPECT_EQ(LastStatus(), "Help files could not be created in /help/");
}

TEST_F(CommandTest, uniqueHtmlCommitsTheFormFirst) {
  UseProject({"Index"});
  project.helpFolder = "/h/";
  commands.page.TopicListEvent(0, false);
  ui.form.title = "typed";
  commands.build.UniqueHtml();
  EXPECT_TRUE(Logged("unique /h/ typed"));
  ui.examplesAsCode = true;
  commands.build.UniqueHtml();
  EXPECT_TRUE(Logged("unique /h/ typed with examples as code"));
}

// The website goes where the author picks, starting at this project's last one, and the folder
// is kept for the project beside the settings; Cancel writes nothing, a failure keeps the last.
TEST_F(CommandTest, createWebsiteAsksForTheFolderWritesTheCommittedTextsAndRemembersIt) {
  testsupport::TempFolder scratch;
  UseProject({"Index", "Split", "Notes*"});
  project.projectFile = scratch.Path("TextKit.qsp");
  project.libraryFile = "/libs/TextKit";
  commands.page.TopicListEvent(2, false);
  ui.form.body = "typed notes";

  commands.build.CreateWebsite();  // cancelled
  ASSERT_EQ(ui.requesters.size(), 1u);
  EXPECT_EQ(ui.requesters[0].kind, "folder");
  EXPECT_EQ(ui.requesters[0].title, "Create website in...");
  EXPECT_EQ(ui.requesters[0].start, scratch.Path());
  EXPECT_EQ(scratch.EntryCount(), 0u);
  EXPECT_TRUE(services.websiteFolders.empty());

  const std::string site = scratch.Path("site");
  ui.texts.push_back(site);
  commands.build.CreateWebsite();
  EXPECT_NE(testsupport::ReadBytes(site + "/Notes.html").find("typed notes"), std::string::npos);
  EXPECT_EQ(services.websiteFolders[project.projectFile], site);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], text::InformationReport("Website created :\n\n" + site +
                                                    testsupport::Native("/Index.html")));
  EXPECT_EQ(ui.statuses.back(), "Website created in " + site + ": 3 pages");

  std::ofstream(scratch.Path("plain")) << "x";
  ui.texts.push_back(scratch.Path("plain/site"));
  commands.build.CreateWebsite();
  EXPECT_EQ(ui.requesters.back().start, site);
  EXPECT_EQ(ui.messages.back(), text::BuildErrorReport("Error during website creation!"));
  EXPECT_EQ(ui.statuses.back(),
            "The website could not be created in " + scratch.Path("plain/site"));
  EXPECT_EQ(services.websiteFolders[project.projectFile], site);
}

}  // namespace
}  // namespace qs::apptest
