// Unsaved work: the form committed before every command that could lose it, the save
// question, saving without a requester, undo and redo of the structural changes, and the
// recovery copies.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/lifecycle.h"
#include "app/recovery.h"
#include "commandfixture.h"
#include "platform/atomicfile.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::apptest {
namespace {

using testsupport::RowTexts;
using Rows = std::vector<std::string>;

TEST_F(CommandTest, everyCommandThatCouldLoseTheTypingCommitsItFirst) {
  const std::vector<std::pair<const char*, std::function<void()>>> commandsToRun = {
      {"move", [&] { commands.page.MoveDown(); }},
      {"add", [&] { commands.page.AddUserTopic(); }},
      {"undo", [&] { commands.page.Undo(); }},
      {"extraction", [&] { commands.project.Extract(); }},
      {"library", [&] { commands.project.BrowseLibrary(); }},
      {"preview", [&] { commands.build.PreviewPage(); }},
      {"build", [&] { commands.build.CreateHtml(); }},
      {"save", [&] { commands.Command(app::CommandId::Save); }},
      {"load", [&] { commands.project.LoadProject(); }},
      {"new", [&] { commands.project.NewProject(); }},
      {"language", [&] { commands.options.LanguageChosen(); }},
      {"close", [&] { app::ShutDown(context); }},
  };
  for (const auto& [name, run] : commandsToRun) {
    UseProject({"Index", "A", "B"});
    project.libraryFile = "/lib/Lib";
    ui.languageChosen = "Deutsch";
    ui.saveAnswers = {app::SaveAnswer::Cancel};
    commands.page.TopicListEvent(1, false);
    const std::string typed = std::string("typed before ") + name;
    ui.form.body = typed;
    commands.page.FormEdited();
    run();
    EXPECT_EQ(project.FindTopic("A")->body, typed) << name;
    EXPECT_FALSE(state.formEdited) << name;
  }
}

TEST_F(CommandTest, theTitleShowsTheProjectAndAStarWhileAnythingIsUnsaved) {
  UseProject({"Index", "A"}, "/w/My Help.qsp");
  context.ShowUnsavedState();
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - My Help.qsp");
  commands.page.TopicListEvent(1, false);
  commands.page.FormEdited();
  context.ShowUnsavedState();
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - My Help.qsp *");
  // Typed and then taken back: the commit finds nothing changed.
  commands.page.TopicListEvent(0, false);
  context.ShowUnsavedState();
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - My Help.qsp");
  project.projectFile.clear();
  project.modified = true;
  context.ShowUnsavedState();
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] *");
}

// New, load and the recent projects ask about unsaved work before any file requester: Cancel
// leaves everything, Save saves before the requester opens, and no second warning follows.
// Over a project with nothing unsaved, a load asks nothing at all.
TEST_F(CommandTest, newAndLoadAskToSaveUnsavedWorkBeforeAnyRequester) {
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"Ctrl+N", [&] { commands.Command(app::CommandId::New); }},
      {"Ctrl+O", [&] { commands.Command(app::CommandId::Load); }},
      {"recent", [&] { commands.project.LoadRecentProject("/w/next.qsp"); }},
  };
  for (const auto& [way, run] : ways) {
    UseProject({"Index", "A"}, "/w/old.qsp");
    project.modified = true;
    services.projectFiles["/w/next.qsp"] = testsupport::MakeProject({"Index", "N"});
    ui.questions.clear();
    ui.requesters.clear();
    services.savedTo.clear();
    log.clear();

    ui.files = {{"/w/next.qsp", 0}};
    ui.saveAnswers = {app::SaveAnswer::Cancel};
    run();
    ASSERT_EQ(ui.questions.size(), 1u) << way;
    EXPECT_EQ(ui.questions[0].text, "Save changes to old.qsp?") << way;
    EXPECT_TRUE(ui.requesters.empty()) << way << ": no requester after Cancel";
    EXPECT_EQ(project.projectFile, "/w/old.qsp") << way;
    EXPECT_EQ(RowTexts(project), (Rows{"Index", "A"})) << way;
    EXPECT_TRUE(project.modified) << way;
    EXPECT_TRUE(services.savedTo.empty()) << way;
    EXPECT_FALSE(Logged("erase build")) << way;

    // Save saves first, then the requester (if any) opens; no warning follows the question.
    ui.files = {{"/w/next.qsp", 0}};
    ui.saveAnswers = {app::SaveAnswer::Save};
    run();
    EXPECT_EQ(services.savedTo, (std::vector<std::string>{"/w/old.qsp"})) << way;
    EXPECT_LT(LogIndex("save /w/old.qsp"), LogIndex("requester ")) << way;
    EXPECT_EQ(project.projectFile, "/w/next.qsp") << way;
    if (std::string(way) != "Ctrl+N") {
      EXPECT_LT(LogIndex("save /w/old.qsp"), LogIndex("load /w/next.qsp")) << way;
      EXPECT_EQ(RowTexts(project), (Rows{"Index", "N"})) << way;
    }
    EXPECT_EQ(ui.questions.size(), 2u) << way << ": no second warning after the save question";

    // Nothing unsaved: a load over the pages shown asks nothing.
    if (std::string(way) == "Ctrl+N") continue;
    UseProject({"Index", "A"}, "/w/old.qsp");
    ui.files = {{"/w/next.qsp", 0}};
    run();
    EXPECT_EQ(ui.questions.size(), 2u) << way << ": nothing unsaved, nothing asked";
    EXPECT_EQ(RowTexts(project), (Rows{"Index", "N"})) << way;
  }
}

TEST_F(CommandTest, ctrlSSavesIntoTheProjectFileWithoutARequesterAndSaysWhere) {
  UseProject({"Index", "A"}, "/w/p.qsp");
  project.modified = true;
  commands.Command(app::CommandId::Save);
  EXPECT_TRUE(ui.requesters.empty());
  EXPECT_EQ(services.savedTo, (std::vector<std::string>{"/w/p.qsp"}));
  EXPECT_FALSE(project.modified);
  EXPECT_EQ(ui.statuses.back(), "Saved 2 pages to /w/p.qsp");
  EXPECT_EQ(services.recoveryRemoved.back(), "/w/p.qsp");
  // Save As always asks.
  ui.files = {{"/w/q.qsp", 0}};
  commands.Command(app::CommandId::SaveAs);
  EXPECT_EQ(ui.requesters.size(), 1u);
  EXPECT_EQ(project.projectFile, "/w/q.qsp");
}

TEST_F(CommandTest, structuralChangesAreUndoneAndRedoneFromKeysAndMenu) {
  UseProject({"Index", "A", "B", "License*"});
  services.libraries["Lib"] = {"Index", "X"};
  commands.page.TopicListEvent(2, false);
  commands.page.MoveUp();
  commands.page.TopicListEvent(2, false);
  ui.form.body = "my words";
  commands.Command(app::CommandId::DeleteItem);
  EXPECT_TRUE(ui.questions.empty()) << "a deletion asks nothing";
  EXPECT_EQ(ui.statuses.back(), "Deleted A \x97 Ctrl+Z to undo");
  ui.texts.push_back("Notes");
  commands.page.AddUserTopic();
  ui.files.push_back({"/lib/Lib", 0});
  ui.keepData = false;
  commands.project.BrowseLibrary();
  EXPECT_EQ(RowTexts(project), (Rows{"Index", "X"}));

  commands.page.TopicListEvent(0, true);
  EXPECT_EQ(ui.menu.back(),
            (app::MenuEntry{"Undo library extraction\tCtrl+Z", app::CommandId::Undo}));
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(project.libraryFile, "");
  EXPECT_EQ(ui.libraryField, "");
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(RowTexts(project), (Rows{"Index", "B", "License"}));
  project.modified = false;
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(RowTexts(project), (Rows{"Index", "B", "A", "License"}));
  EXPECT_EQ(project.FindTopic("A")->body, "my words") << "typed just before the deletion";
  EXPECT_EQ(ui.form.body, "my words");
  EXPECT_EQ(project.shownTopic(), "A");
  EXPECT_TRUE(project.modified);
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(RowTexts(project), (Rows{"Index", "A", "B", "License"}));
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(ui.statuses.back(), "Nothing to undo");

  commands.page.TopicListEvent(1, true);
  EXPECT_EQ(ui.menu.back(), (app::MenuEntry{"Redo move 'B'\tCtrl+Y", app::CommandId::Redo}));
  for (int i = 0; i < 4; ++i) commands.Command(app::CommandId::Redo);
  EXPECT_EQ(RowTexts(project), (Rows{"Index", "X"}));
  EXPECT_EQ(ui.statuses.back(), "Redone: library extraction");

  // A new or loaded project starts a history of its own.
  ui.files.push_back({"/w/other.qsp", 0});
  ui.saveAnswers.push_back(app::SaveAnswer::Discard);
  commands.project.NewProject();
  commands.Command(app::CommandId::Undo);
  EXPECT_EQ(ui.statuses.back(), "Nothing to undo");
}

TEST_F(CommandTest, theRecoveryCopyHoldsTheTypingAndIsOfferedBackAtTheNextStart) {
  UseProject({"Index", "A"});
  context.WriteRecovery();
  EXPECT_TRUE(services.recoveryWrites.empty()) << "nothing unsaved, nothing written";
  commands.page.TopicListEvent(1, false);
  ui.form.title = "typed";
  commands.page.FormEdited();
  context.WriteRecovery();
  ASSERT_EQ(services.recoveryWrites.size(), 1u);
  EXPECT_EQ(services.recoveryWrites[0].FindTopic("A")->title, "typed");
  EXPECT_EQ(project.FindTopic("A")->title, "A") << "the timer commits nothing";

  // The next start: declined copies go, a restored one is unsaved work of its project.
  project = {};
  // The version a killed save was writing is offered as such, and declining it removes that
  // copy, not the unsaved work of the same project.
  services.recoveryCopies = {{"/cfg/Recovery/1.qsp", "/w/gone.qsp", {2026, 12, 7, 9, 5, 0}},
                             {"/cfg/Recovery/3.saving", "/w/p.qsp", {2026, 12, 7, 8, 30, 0}, true},
                             {"/cfg/Recovery/2.qsp", "/w/p.qsp", {2026, 12, 7, 8, 0, 0}}};
  auto copy = testsupport::MakeProject({"Index", "A"});
  copy.projectFile = "/w/p.qsp";
  copy.FindTopic("A")->title = "typed";
  services.projectFiles["/cfg/Recovery/2.qsp"] = copy;
  ui.answers = {false, false, true};
  services.projectFiles["/w/other.qsp"] = testsupport::MakeProject({"Index", "Other"});
  app::FinishStart(context, "/w/other.qsp");
  // The window opens the project named on the command line after its first paint: by then
  // the restored work is there, and stays.
  app::OpenStartProject(context, "/w/other.qsp");
  ASSERT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(ui.questions[0].text, "Restore unsaved work from 2026-12-07 09:05:00?");
  EXPECT_EQ(ui.questions[1].title, "Unfinished save of p.qsp");
  EXPECT_EQ(ui.questions[1].text,
            "The save of p.qsp at 2026-12-07 08:30:00 did not finish, and the file may be "
            "incomplete. Restore the version it was saving?");
  EXPECT_EQ(services.recoveryRemoved, (std::vector<std::string>{"/w/gone.qsp"}));
  EXPECT_EQ(services.interruptedSavesDiscarded, (std::vector<std::string>{"/w/p.qsp"}));
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(ui.projectField, "/w/p.qsp");
  EXPECT_EQ(project.FindTopic("A")->title, "typed");
  EXPECT_TRUE(project.modified);
  EXPECT_TRUE(services.savedTo.empty()) << "the user's project file is not written";
  EXPECT_FALSE(Logged("load /w/other.qsp")) << "restored work is not replaced";
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - p.qsp *");
}

TEST(RecoveryStore, offersOnlyCopiesOfEndedRunsThatAreNewerThanTheirProject) {
  testsupport::TempFolder temp;
  const app::RecoveryStore store(temp.Path());
  auto project = testsupport::MakeProject({"Index", "A"});
  project.projectFile = temp.Path("saved.qsp");
  temp.Write("saved.qsp", "older than the copy");
  std::filesystem::last_write_time(
      std::filesystem::path(project.projectFile),
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  store.Write(project);
  auto unnamed = project;
  unnamed.projectFile.clear();
  store.Write(unnamed);

  // This run's own copies count as ended runs' once it has ended; here, as its own.
  auto found = store.Find();
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(std::filesystem::path(found[0].path).parent_path(),
            std::filesystem::path(temp.Path("Recovery")));
  std::vector<std::string> projects{found[0].projectFile, found[1].projectFile};
  std::sort(projects.begin(), projects.end());
  EXPECT_EQ(projects, (std::vector<std::string>{"", project.projectFile}));

  if (testsupport::kOnWindows) {
    GTEST_SKIP() << "a copy of another running program needs a process id that is known to run "
                    "(1 on POSIX); Windows has none to name";
  }
  // A copy another running program writes is left to it.
  temp.Write("Recovery/" + std::filesystem::path(store.CopyPath("")).stem().string() + ".owner",
             "1\n");
  ASSERT_EQ(store.Find().size(), 1u);

  // A project saved after its copy was written makes the copy stale: it goes.
  std::filesystem::last_write_time(
      std::filesystem::path(project.projectFile),
      std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  EXPECT_TRUE(store.Find().empty());
  EXPECT_FALSE(std::filesystem::exists(store.CopyPath(project.projectFile)));
  store.Remove("");
  EXPECT_FALSE(std::filesystem::exists(store.CopyPath("")));
}

}  // namespace
}  // namespace qs::apptest
