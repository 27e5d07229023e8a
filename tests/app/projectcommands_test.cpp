// The commands of the Project tab: new, load, save, library and help folder.

#include <functional>

#include "app/lifecycle.h"
#include "commandfixture.h"
#include "text/paths.h"

namespace qs::apptest {
namespace {

using testsupport::RowTexts;
const std::string kSep(1, text::NativeSeparator());

TEST_F(CommandTest, newProjectOffersDatedNameInTheProjectFolderWithTheProjectFilter) {
  UseProject({}, "/w/old.qsp");
  ui.files.push_back({"/w/MyHelp", 0});
  commands.project.NewProject();
  ASSERT_EQ(ui.requesters.size(), 1u);
  EXPECT_EQ(ui.requesters[0].title, "Create new QuillSmith Project");
  EXPECT_EQ(ui.requesters[0].start, "/w/HelpProject_06122026_071209.qsp");
  EXPECT_EQ(ui.requesters[0].pattern, "QuillSmith Project|*.qsp|All files|*.*");
  EXPECT_EQ(project.projectFile, "/w/MyHelp.qsp");
  EXPECT_EQ(ui.projectField, "/w/MyHelp.qsp");
  EXPECT_EQ(state.lastProjectDir, "/w/");
}

TEST_F(CommandTest, qspRuleAppliesOnlyToTheFirstFilterOfNewAndSave) {
  ui.files = {{"/w/A", 1}, {"/w/B.QSP", 0}, {"/w/C", 0}};
  commands.project.NewProject();
  EXPECT_EQ(project.projectFile, "/w/A");
  commands.project.NewProject();
  EXPECT_EQ(project.projectFile, "/w/B.QSP");
  commands.project.SaveProject();
  EXPECT_EQ(project.projectFile, "/w/C.qsp");
  EXPECT_EQ(services.savedTo, std::vector<std::string>{"/w/C.qsp"});
  EXPECT_EQ(ui.requesters.back().start, "/w/B.QSP");
}

TEST_F(CommandTest, newProjectAnsweredNoKeepsProjectButRemembersTheFolder) {
  // Nothing unsaved: the warning of old, not the save question.
  UseProject({"Index", "A", "License*"}, "/w/old.qsp");
  ui.files.push_back({"/other/new.qsp", 0});
  ui.answers.push_back(false);
  commands.project.NewProject();
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].title, "WARNING");
  EXPECT_EQ(ui.questions[0].icon, text::ReportIcon::Exclamation);
  EXPECT_EQ(project.projectFile, "/w/old.qsp");
  EXPECT_EQ(project.ItemCount(), 3u);
  EXPECT_EQ(state.lastProjectDir, "/other/");
  EXPECT_FALSE(Logged("erase"));
}

TEST_F(CommandTest, newProjectAnsweredYesResetsEverythingButTheViewMode) {
  UseProject({"Index", "A"}, "/w/old.qsp");
  project.libraryFile = "/lib/A";
  project.helpFolder = "/help/";
  project.SetShownTopic("A");
  project.modified = true;
  state.viewMode = true;
  ui.libraryField = "/lib/A";
  ui.files.push_back({"/w/new.qsp", 0});
  commands.project.NewProject();
  EXPECT_EQ(project.projectFile, "/w/new.qsp");
  EXPECT_EQ(project.TopicCount(), 0u);
  EXPECT_EQ(project.ItemCount(), 0u);
  EXPECT_TRUE(project.libraryFile.empty());
  EXPECT_TRUE(project.helpFolder.empty());
  EXPECT_TRUE(project.shownTopic().empty());
  EXPECT_FALSE(project.modified);
  EXPECT_TRUE(ui.libraryField.empty());
  EXPECT_EQ(ui.browser, "about:blank");
  EXPECT_TRUE(state.viewMode);
  // A help folder the author built and kept stays.
  EXPECT_FALSE(Logged("erase build"));
}

TEST_F(CommandTest, cancelledRequestersChangeNothing) {
  UseProject({"Index"}, "/w/p.qsp");
  project.helpFolder = "/h/";
  commands.project.NewProject();
  commands.project.LoadProject();
  commands.project.SaveProject();
  commands.project.BrowseLibrary();
  commands.project.BrowseHelpFolder();
  commands.project.CreateHelpFolder();
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(project.helpFolder, "/h/");
  EXPECT_TRUE(state.lastProjectDir.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(services.savedTo.empty());
}

TEST_F(CommandTest, commandsThatNeedAProjectRefuseWithoutOne) {
  commands.project.SaveProject();
  commands.project.BrowseLibrary();
  commands.project.BrowseHelpFolder();
  commands.project.CreateHelpFolder();
  ASSERT_EQ(ui.messages.size(), 4u);
  for (const auto& message : ui.messages) {
    EXPECT_EQ(message, text::ErrorReport("There is no current project!"));
  }
  EXPECT_TRUE(ui.requesters.empty());
}

TEST_F(CommandTest, loadIntoAnEmptyListShowsNoTopicAndSelectsNoRow) {
  services.projectFiles["/w/p.qsp"] = testsupport::MakeProject({"Index", "A", "License*"});
  services.projectFiles["/w/p.qsp"].libraryFile = "/lib/A";
  state.lastProjectDir = "/last/";
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.LoadProject();
  EXPECT_EQ(ui.requesters[0].title, "Load QuillSmith Project");
  EXPECT_EQ(ui.requesters[0].start, "/last/");
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(ui.projectField, "/w/p.qsp");
  EXPECT_EQ(ui.libraryField, "/lib/A");
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "A", "License"}));
  EXPECT_EQ(project.selectedRow(), -1);
  EXPECT_TRUE(project.shownTopic().empty());
  EXPECT_FALSE(ui.layout.has_value());
  EXPECT_FALSE(project.modified);
  EXPECT_TRUE(ui.questions.empty());
  // Selecting a row now must not write the placeholders of the form into a topic.
  ui.form = {"PageTitle", "x", "y", "z"};
  commands.page.TopicListEvent(1, false);
  EXPECT_EQ(project.FindTopic("Index")->title, "Index");
  EXPECT_EQ(ui.form.title, "A");
}

// Every project file the author works on goes first among the recent projects and brings its
// word list; choosing a recent project loads it as "Load Project" would, questions included.
TEST_F(CommandTest, newLoadAndSaveRecordTheRecentProjectAndChoosingOneLoadsIt) {
  ui.files.push_back({"/w/new", 0});
  commands.project.NewProject();
  EXPECT_EQ(ui.recentProjects, std::vector<std::string>{"/w/new.qsp"});
  EXPECT_EQ(ui.wordList, "/settings/words//w/new.qsp");

  services.projectFiles["/w/p.qsp"] = testsupport::MakeProject({"Index", "A"});
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.LoadProject();
  EXPECT_EQ(ui.recentProjects, (std::vector<std::string>{"/w/p.qsp", "/w/new.qsp"}));
  EXPECT_EQ(ui.wordList, "/settings/words//w/p.qsp");

  ui.files.push_back({"/w/copy.qsp", 0});
  commands.project.SaveProject();
  EXPECT_EQ(ui.recentProjects.front(), "/w/copy.qsp");

  // With unsaved work the recent project asks first, and Cancel leaves everything.
  project.modified = true;
  ui.saveAnswers = {app::SaveAnswer::Cancel};
  commands.project.LoadRecentProject("/w/new.qsp");
  EXPECT_EQ(project.projectFile, "/w/copy.qsp");
  EXPECT_EQ(ui.questions.size(), 1u);
  services.projectFiles["/w/new.qsp"] = testsupport::MakeProject({"Index", "N"});
  ui.saveAnswers = {app::SaveAnswer::Discard};
  const std::size_t requesters = ui.requesters.size();
  commands.project.LoadRecentProject("/w/new.qsp");
  EXPECT_EQ(ui.requesters.size(), requesters) << "no file requester";
  EXPECT_EQ(project.projectFile, "/w/new.qsp");
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "N"}));
  EXPECT_EQ(ui.projectField, "/w/new.qsp");
  EXPECT_EQ(state.lastProjectDir, "/w/");
  EXPECT_EQ(ui.recentProjects, (std::vector<std::string>{"/w/new.qsp", "/w/copy.qsp", "/w/p.qsp"}));

  // One that is gone says so and is not recorded; the project stays, with its word list.
  services.recent = ui.recentProjects;
  commands.project.LoadRecentProject("/w/gone.qsp");
  EXPECT_EQ(ui.messages.back().text, "Could not read file '/w/gone.qsp'!");
  EXPECT_EQ(project.projectFile, "/w/new.qsp");
  EXPECT_EQ(ui.wordList, "/settings/words//w/new.qsp");
  EXPECT_EQ(ui.recentProjects.front(), "/w/new.qsp");
}

TEST_F(CommandTest, loadOverAListWithNothingUnsavedAsksNothingResetsAndShowsTheIndexRow) {
  UseProject({"Index", "Old"}, "/w/old.qsp");
  state.viewMode = true;
  services.projectFiles["/w/p.qsp"] = testsupport::MakeProject({"Index", "A"});
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.LoadProject();
  // Everything shown is in its file: nothing is lost, so nothing is asked.
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(ui.requesters[0].start, "/w/");
  // The window is cleared only once the file has loaded.
  EXPECT_LT(LogIndex("load /w/p.qsp"), LogIndex("edit mode"));
  EXPECT_FALSE(state.viewMode);
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(project.shownTopic(), "Index");
  EXPECT_EQ(project.selectedRow(), 0);
  EXPECT_EQ(ui.form.title, "Index");
  EXPECT_TRUE(Logged("focus list"));
}

TEST_F(CommandTest, aLoadThatFailsChangesNothing) {
  // A missing file, and one that ends after its header lines: neither lends the project its
  // paths, so a later save cannot write over the file the header names.
  services.projectFiles["/w/header-only.qsp"].projectFile = "/elsewhere/unrelated.txt";
  services.projectFiles["/w/header-only.qsp"].libraryFile = "/lib/Other";
  for (const char* broken : {"/w/broken.qsp", "/w/header-only.qsp"}) {
    UseProject({"Index", "Old"}, "/w/old.qsp");
    project.libraryFile = "/lib/Old";
    project.ShowRow(1);
    context.ShowTopic();
    const project::HelpProject before = project;
    state.viewMode = true;
    ui.projectField = "/w/old.qsp";
    ui.files.push_back({broken, 0});
    log.clear();
    commands.project.LoadProject();
    EXPECT_EQ(project.projectFile, "/w/old.qsp") << broken;
    EXPECT_EQ(project.libraryFile, "/lib/Old");
    EXPECT_EQ(project.topics(), before.topics());
    EXPECT_EQ(project.items(), before.items());
    EXPECT_EQ(project.shownTopic(), "Old");
    EXPECT_FALSE(project.modified);
    EXPECT_EQ(ui.projectField, "/w/old.qsp");
    EXPECT_TRUE(state.viewMode);
    EXPECT_FALSE(Logged("erase"));
    EXPECT_FALSE(Logged("clear form"));
  }
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Could not read file '/w/broken.qsp'!");
}

TEST_F(CommandTest, aProjectOpenInAnotherWindowAsksAndReadOnlyIsSavedOnlyUnderAnotherName) {
  UseProject({"Index", "Old"}, "/w/old.qsp");
  services.held = "/w/old.qsp";
  services.openElsewhere = {"/w/p.qsp"};
  services.projectFiles["/w/p.qsp"] = testsupport::MakeProject({"Index", "A"});
  // Cancelled: the window keeps its project, and marks it as its own again.
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.LoadProject();
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, "p.qsp is open in another QuillSmith window.");
  EXPECT_EQ(project.projectFile, "/w/old.qsp");
  EXPECT_EQ(services.held, "/w/old.qsp");
  EXPECT_FALSE(Logged("load "));

  // Read-only: never saved over, neither by Save nor by Save As naming it; Save says why and
  // offers another name.
  ui.files.push_back({"/w/p.qsp", 0});
  ui.inUseAnswers = {app::InUseAnswer::OpenReadOnly};
  commands.project.LoadProject();
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_TRUE(services.held.empty());
  project.modified = true;
  const std::string refused =
      "p.qsp was opened read-only: it is open in another QuillSmith window. Save it under "
      "another name.";
  const std::size_t requesters = ui.requesters.size();
  commands.project.SaveToProjectFile();
  EXPECT_EQ(ui.messages.back().text, refused);
  EXPECT_EQ(ui.requesters.size(), requesters + 1);
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.SaveProject();
  EXPECT_TRUE(services.savedTo.empty());
  ui.messages.clear();
  ui.files.push_back({"/w/mine.qsp", 0});
  commands.project.SaveProject();
  EXPECT_EQ(services.savedTo, std::vector<std::string>{"/w/mine.qsp"});
  EXPECT_EQ(services.held, "/w/mine.qsp");
  EXPECT_TRUE(ui.messages.empty());

  // Anyway: opened and saved as any project, without the mark the other window holds.
  ui.files.push_back({"/w/p.qsp", 0});
  ui.inUseAnswers = {app::InUseAnswer::OpenAnyway};
  commands.project.LoadProject();
  commands.project.SaveToProjectFile();
  EXPECT_EQ(services.savedTo.back(), "/w/p.qsp");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandTest, loadCancelledAtTheSaveQuestionLeavesTheProjectAlone) {
  UseProject({"Index", "Old"}, "/w/old.qsp");
  project.modified = true;
  ui.files.push_back({"/w/p.qsp", 0});
  ui.saveAnswers.push_back(app::SaveAnswer::Cancel);
  commands.project.LoadProject();
  EXPECT_EQ(project.ItemCount(), 2u);
  EXPECT_FALSE(Logged("load "));
  EXPECT_TRUE(ui.requesters.empty());
  EXPECT_TRUE(state.lastProjectDir.empty());
}

TEST_F(CommandTest, saveCommitsTheFormFirstAndClearsModifiedOnSuccess) {
  UseProject({"Index", "A"}, "/w/p.qsp");
  project.SetShownTopic("A");
  ui.form = {"New title  ", "A()", "", ""};
  ui.files.push_back({"/w/p.qsp", 0});
  commands.project.SaveProject();
  EXPECT_EQ(services.projectFiles["/w/p.qsp"].FindTopic("A")->title, "New title");
  EXPECT_FALSE(project.modified);
}

TEST_F(CommandTest, sameLibraryNameFromAnotherFolderMergesWithoutAQuestion) {
  UseProject({"Index", "F1", "License*"});
  project.libraryFile = "/old/place/MyLib";
  project.SetShownTopic("F1");
  ui.form = {"F1", "F1()", "my words", ""};
  services.libraries["MyLib"] = {"Index", "F1", "F2", "License*"};
  ui.files.push_back({"/new/place/MyLib", 0});
  commands.project.BrowseLibrary();
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(ui.requesters[0].title, "Select user library");
  EXPECT_EQ(ui.requesters[0].start,
            "/opt/purebasic/PureLibraries" + kSep + "UserLibraries" + kSep + "*");
  EXPECT_EQ(ui.requesters[0].pattern, "Libraries|*|All files|*.*");
  EXPECT_EQ(project.libraryFile, "/new/place/MyLib");
  EXPECT_EQ(ui.libraryField, "/new/place/MyLib");
  EXPECT_TRUE(Logged("extract merge"));
  // The form was committed before the merge, so the typed description survives it.
  EXPECT_EQ(project.FindTopic("F1")->body, "my words");
  EXPECT_NE(project.FindTopic("F2"), nullptr);
  EXPECT_EQ(ui.form.title, "Index");
}

TEST_F(CommandTest, libraryOfAnotherNameAsksAndStartsOverOnYes) {
  UseProject({"Index", "F1", "License*"});
  project.libraryFile = "/lib/MyLib";
  services.libraries["Other"] = {"Index", "G1", "License*"};
  state.purebasicFolder = "";
  ui.files = {{"/lib/Other", 0}, {"/lib/Other", 0}};
  ui.answers = {false, true};
  commands.project.BrowseLibrary();
  EXPECT_EQ(project.libraryFile, "/lib/MyLib");
  EXPECT_EQ(project.TopicCount(), 3u);
  commands.project.BrowseLibrary();
  ASSERT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(ui.questions[1].text,
            "You have chosen a different library !\nYou will loose all curent data.\nContinue ?");
  // Once the other library is read, the pages that go are named before they go.
  EXPECT_EQ(ui.questions[2].text, "This extraction removes 1 page:\nF1\nContinue ?");
  EXPECT_TRUE(Logged("extract fresh"));
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "G1", "License"}));
  EXPECT_EQ(project.FindTopic("F1"), nullptr);

  // Cancel there keeps the project and its library as they were.
  services.libraries["Third"] = {"Index", "H1"};
  ui.files = {{"/lib/Third", 0}};
  ui.answers = {true, false};
  commands.project.BrowseLibrary();
  ASSERT_EQ(ui.questions.size(), 5u);
  EXPECT_EQ(ui.questions[4].text, "This extraction removes 2 pages:\nG1, License\nContinue ?");
  EXPECT_EQ(project.libraryFile, "/lib/Other");
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "G1", "License"}));
}

TEST_F(CommandTest, extractButtonShowsAndSelectsTheIndexRow) {
  UseProject({});
  project.libraryFile = "/lib/MyLib";
  services.libraries["MyLib"] = {"Index", "F1"};
  ui.keepData = false;
  commands.project.Extract();
  EXPECT_EQ(services.lastKeepData, false);
  EXPECT_EQ(project.shownTopic(), "Index");
  EXPECT_EQ(project.selectedRow(), 0);
  EXPECT_EQ(ui.form.title, "Index");
}

TEST_F(CommandTest, extractionThatFailsOnAnEmptyListSelectsNothing) {
  UseProject({});
  project.libraryFile = "/lib/Missing";
  commands.project.Extract();
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(ui.statuses.empty());
  EXPECT_EQ(project.selectedRow(), -1);
  EXPECT_TRUE(project.shownTopic().empty());
}

TEST_F(CommandTest, helpFolderFromTheRequesterKeepsOneTrailingSeparator) {
  UseProject({"Index"});
  ui.texts = {"/h/Out/"};
  commands.project.BrowseHelpFolder();
  EXPECT_EQ(ui.requesters[0].title, "Select help folder");
  EXPECT_EQ(ui.requesters[0].start, "/opt/purebasic/");
  EXPECT_EQ(project.helpFolder, "/h/Out/");
  EXPECT_EQ(ui.helpField, "/h/Out/");
}

// The help folder is stored in the project file: choosing one is unsaved work like any other,
// asked about on closing; choosing the folder the project already has changes nothing.
TEST_F(CommandTest, aHelpFolderChosenOrMadeIsUnsavedWorkAskedAboutOnClosing) {
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"browse", [&] { commands.project.BrowseHelpFolder(); }},
      {"make", [&] { commands.project.CreateHelpFolder(); }},
  };
  for (const auto& [way, choose] : ways) {
    UseProject({"Index"});
    project.helpFolder = "/h/Old/";
    ui.questions.clear();
    ui.texts = {"/h/Old/"};
    choose();
    EXPECT_FALSE(project.modified) << way;
    ui.texts = {"/h/New/"};
    choose();
    EXPECT_EQ(project.helpFolder, "/h/New/") << way;
    EXPECT_TRUE(project.modified) << way;
    context.ShowUnsavedState();
    EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - p.qsp *") << way;
    ui.saveAnswers = {app::SaveAnswer::Save};
    services.savedTo.clear();
    EXPECT_TRUE(app::ShutDown(context)) << way;
    ASSERT_EQ(ui.questions.size(), 1u) << way;
    EXPECT_EQ(ui.questions[0].text, "Save changes to p.qsp?") << way;
    EXPECT_EQ(services.savedTo, std::vector<std::string>{"/w/p.qsp"}) << way;
    EXPECT_EQ(services.projectFiles["/w/p.qsp"].helpFolder, "/h/New/") << way;
  }
}

TEST_F(CommandTest, makeHelpFolderAppendsTheSeparatorAndProposesTheLibraryName) {
  UseProject({"Index"});
  project.libraryFile = "/lib/MyLib";
  ui.texts = {"/h/Help"};
  commands.project.CreateHelpFolder();
  EXPECT_EQ(ui.requesters[0].kind, "text");
  EXPECT_EQ(ui.requesters[0].title, "Make help folder");
  EXPECT_EQ(ui.requesters[0].pattern, "Type help folder path");
  EXPECT_EQ(ui.requesters[0].start, "/w/help" + kSep + "MyLib" + kSep) << "beside the project";
  EXPECT_EQ(project.helpFolder, "/h/Help" + kSep);
  EXPECT_TRUE(Logged("create /h/Help" + kSep));
  EXPECT_EQ(ui.helpField, "/h/Help" + kSep);

  // A relative folder is stored as typed and taken from the project file's folder, for the
  // folder made now and for every build and unique file later.
  ui.texts = {"help/Out"};
  commands.project.CreateHelpFolder();
  EXPECT_EQ(project.helpFolder, "help/Out" + kSep);
  EXPECT_TRUE(Logged("create /w/help/Out" + kSep));
  commands.build.CreateHtml();
  EXPECT_TRUE(Logged("build /w/help/Out" + kSep));
  commands.build.UniqueHtml();
  EXPECT_TRUE(Logged("unique /w/help/Out" + kSep));
}

TEST_F(CommandTest, makeHelpFolderThatCannotBeCreatedSaysSoAndKeepsTheFolderItHad) {
  UseProject({"Index"});
  project.helpFolder = "/h/Before/";
  ui.helpField = "/h/Before/";
  services.createFolderWorks = false;
  ui.texts = {"/root/x"};
  commands.project.CreateHelpFolder();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], text::ErrorReport("Could not create directory '/root/x" + kSep + "'!"));
  // The project and its field agree, and nothing changed that a save would have to keep.
  EXPECT_EQ(project.helpFolder, "/h/Before/");
  EXPECT_EQ(ui.helpField, "/h/Before/");
  EXPECT_FALSE(project.modified);
}

TEST_F(CommandTest, programHelpOpensOnlyANonEmptyFile) {
  commands.project.ShowHelp();
  EXPECT_FALSE(Logged("open"));
  EXPECT_TRUE(ui.previews.empty());
  services.nonEmptyFiles.push_back("/prog/QuillSmith.chm");
  commands.project.ShowHelp();
  EXPECT_TRUE(Logged("open /prog/QuillSmith.chm"));
  EXPECT_TRUE(ui.previews.empty());
}

TEST_F(CommandTest, programHelpFallsBackToThePreviewWindowWithoutAViewer) {
  services.nonEmptyFiles.push_back("/prog/QuillSmith.chm");
  services.hasViewer = false;
  commands.project.ShowHelp();
  EXPECT_FALSE(Logged("open"));
  ASSERT_EQ(ui.previews.size(), 1u);
  EXPECT_EQ(ui.previews[0].page, "/prog/QuillSmithHelp/QuillSmith.html");

  // A viewer that is named but fails to start gets the same fallback.
  services.hasViewer = true;
  ui.openWorks = false;
  commands.project.ShowHelp();
  EXPECT_TRUE(Logged("open /prog/QuillSmith.chm"));
  EXPECT_EQ(ui.previews.size(), 2u);

  services.helpPages.clear();
  commands.project.ShowHelp();
  EXPECT_EQ(ui.previews.size(), 2u) << "without the pages nothing more can be shown";
}

}  // namespace
}  // namespace qs::apptest
