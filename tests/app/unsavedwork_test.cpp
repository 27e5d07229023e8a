// Unsaved work: the form committed before every command that could lose it, the save
// question, saving without a requester, undo and redo of the structural changes, and the
// recovery copies.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/lifecycle.h"
#include "commandfixture.h"
#include "config/recovery.h"
#include "platform/atomicfile.h"
#include "support/logcapture.h"
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
  using app::RecoveryAnswer;
  ui.recoveryAnswers = {RecoveryAnswer::Later, RecoveryAnswer::Discard, RecoveryAnswer::Restore};
  services.projectFiles["/w/other.qsp"] = testsupport::MakeProject({"Index", "Other"});
  app::FinishStart(context, "/w/other.qsp");
  // The window opens the project named on the command line after its first paint: by then
  // the restored work is there, and stays.
  app::OpenStartProject(context, "/w/other.qsp");
  ASSERT_EQ(ui.questions.size(), 3u);
  // Each question says what Discard does and what Later does.
  EXPECT_EQ(ui.questions[0].text,
            "Restore unsaved work from 2026-12-07 09:05:00?\n\nDiscard deletes this unsaved work "
            "for good. Later keeps it and asks again at the next start.");
  EXPECT_EQ(ui.questions[1].title, "Unfinished save of p.qsp");
  EXPECT_EQ(ui.questions[1].text,
            "The save of p.qsp at 2026-12-07 08:30:00 did not finish, and the file may be "
            "incomplete. Restore the version it was saving?\n\nDiscard deletes that version for "
            "good and leaves the file as it is. Later keeps it and asks again at the next start.");
  // Later removes nothing and lets go of the copy; Discard removes it.
  EXPECT_TRUE(services.recoveryRemoved.empty());
  EXPECT_EQ(services.recoveryPostponed, (std::vector<std::string>{"/cfg/Recovery/1.qsp"}));
  EXPECT_EQ(services.interruptedSavesDiscarded, (std::vector<std::string>{"/w/p.qsp"}));
  EXPECT_EQ(project.projectFile, "/w/p.qsp");
  EXPECT_EQ(ui.projectField, "/w/p.qsp");
  EXPECT_EQ(project.FindTopic("A")->title, "typed");
  EXPECT_TRUE(project.modified);
  EXPECT_TRUE(services.savedTo.empty()) << "the user's project file is not written";
  EXPECT_FALSE(Logged("load /w/other.qsp")) << "restored work is not replaced";
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - p.qsp *");
}

// Another program or window writes the project file while the author has unsaved work in this
// one: a save over it asks, and each answer leaves both versions where the author can get them.
TEST_F(CommandTest, aSaveOverAProjectFileSomeoneElseWroteAsksFirst) {
  using Answer = app::ChangedFileAnswer;
  const std::vector<std::pair<const char*, std::function<bool()>>> ways = {
      {"Ctrl+S",
       [&] {
         const std::size_t saves = services.savedTo.size();
         commands.Command(app::CommandId::Save);
         return services.savedTo.size() > saves;
       }},
      {"close", [&] { return app::ShutDown(context); }},
  };
  struct Case {
    Answer answer;
    bool keepWorks;
    // What the file holds afterwards, what the window shows, whether the work was saved (and
    // the window closes).
    std::string onDisk;
    Rows rows;
    bool closes;
  };
  const std::vector<Case> cases = {
      {Answer::Cancel, true, "theirs", {"Index", "A"}, false},
      {Answer::Overwrite, true, "saved 2", {"Index", "A"}, true},
      {Answer::SaveAs, true, "theirs", {"Index", "A"}, true},
      {Answer::Reload, true, "theirs", {"Index", "Theirs"}, false},
      // Work that cannot be kept is not dropped: nothing is reloaded.
      {Answer::Reload, false, "theirs", {"Index", "A"}, false},
  };
  for (const auto& [way, save] : ways) {
    for (const Case& c : cases) {
      const std::string what = std::string(way) + ", answer " +
                               std::to_string(static_cast<int>(c.answer)) +
                               (c.keepWorks ? "" : ", no copy");
      UseProject({"Index", "A"}, "/w/p.qsp");
      state = {};
      services.disk.clear();
      services.savedTo.clear();
      services.keptRecoveryCopies.clear();
      services.recoveryRemoved.clear();
      services.keepRecoveryWorks = c.keepWorks;
      ui.changedFileQuestions.clear();
      commands.Command(app::CommandId::Save);
      auto theirs = testsupport::MakeProject({"Index", "Theirs"});
      services.projectFiles["/w/p.qsp"] = theirs;
      services.disk["/w/p.qsp"] = "theirs";
      commands.page.TopicListEvent(1, false);
      ui.form.body = "mine";
      commands.page.FormEdited();

      ui.changedFileAnswers = {c.answer};
      ui.saveAnswers = {app::SaveAnswer::Save};
      ui.files = {{"/w/elsewhere.qsp", 0}};
      EXPECT_EQ(save(), c.closes) << what;
      ASSERT_EQ(ui.changedFileQuestions.size(), 1u) << what;
      EXPECT_EQ(ui.changedFileQuestions[0].first.title, "File changed on disk");
      EXPECT_EQ(ui.changedFileQuestions[0].first.text,
                "p.qsp was changed by another program since this window opened or saved it.\n\n"
                "Reload reads the file again (your unsaved work is kept as a recovery copy); "
                "Overwrite replaces it with this window's project; Save As... saves this "
                "window's project under another name.");
      EXPECT_TRUE(ui.changedFileQuestions[0].second) << "Reload is offered";
      EXPECT_EQ(services.disk["/w/p.qsp"], c.onDisk) << what;
      EXPECT_EQ(RowTexts(project), c.rows) << what;
      const bool reloaded = c.rows.back() == "Theirs";
      if (!reloaded) {
        EXPECT_EQ(project.FindTopic("A")->body, "mine") << what;
      }
      if (c.answer == Answer::Overwrite) {
        EXPECT_EQ(services.projectFiles["/w/p.qsp"].FindTopic("A")->body, "mine") << what;
      }
      if (c.answer == Answer::SaveAs) {
        EXPECT_EQ(services.savedTo.back(), "/w/elsewhere.qsp") << what;
        EXPECT_EQ(project.projectFile, "/w/elsewhere.qsp") << what;
      }
      if (c.answer == Answer::Reload && c.keepWorks) {
        ASSERT_EQ(services.keptRecoveryCopies.size(), 1u) << what;
        const project::HelpProject& kept = services.keptRecoveryCopies[0];
        EXPECT_EQ(kept.projectFile, "/w/p (unsaved work 2026-12-06 074109).qsp") << what;
        EXPECT_EQ(kept.FindTopic("A")->body, "mine") << what;
        EXPECT_FALSE(context.Unsaved()) << what;
        EXPECT_EQ(ui.statuses.back(),
                  "Reloaded /w/p.qsp; your unsaved work is kept as a recovery copy, offered at "
                  "the next start as p (unsaved work 2026-12-06 074109).qsp");
        EXPECT_EQ(services.recoveryRemoved.back(), "/w/p.qsp") << "the timer's copy goes";
      }
      if (!c.keepWorks) {
        EXPECT_EQ(ui.messages.back().text,
                  "Your unsaved work could not be kept as a recovery copy, so p.qsp was not "
                  "reloaded.");
      }
      // Settled: the next save asks nothing, unless the author cancelled and the other
      // version is still there.
      const std::size_t saves = services.savedTo.size();
      ui.changedFileAnswers = {Answer::Cancel};
      project.modified = true;
      commands.Command(app::CommandId::Save);
      const bool settled = c.answer != Answer::Cancel && c.keepWorks;
      EXPECT_EQ(ui.changedFileQuestions.size(), settled ? 1u : 2u) << what;
      EXPECT_EQ(services.savedTo.size(), settled ? saves + 1 : saves) << what;
    }
  }
}

TEST_F(CommandTest, activationAsksOnceAboutEachOutsideVersionAndNeverAboutTheWindowsOwnSaves) {
  using Answer = app::ChangedFileAnswer;
  UseProject({"Index", "A"}, "/w/p.qsp");
  commands.WindowActivated();
  commands.Command(app::CommandId::Save);
  project.modified = true;
  commands.Command(app::CommandId::Save);
  commands.WindowActivated();
  EXPECT_TRUE(ui.changedFileQuestions.empty()) << "the window's own saves";

  services.disk["/w/p.qsp"] = "second window's save";
  commands.WindowActivated();
  commands.WindowActivated();
  ASSERT_EQ(ui.changedFileQuestions.size(), 1u) << "asked once; cancelled";
  EXPECT_EQ(ui.title, "QuillSmith [Fast Builder] - p.qsp");
  // A save still asks about that version; a newer one is asked about on activation again.
  commands.Command(app::CommandId::Save);
  EXPECT_EQ(ui.changedFileQuestions.size(), 2u);
  services.disk["/w/p.qsp"] = "second window's next save";
  ui.changedFileAnswers = {Answer::Overwrite};
  commands.WindowActivated();
  ASSERT_EQ(ui.changedFileQuestions.size(), 3u);
  EXPECT_EQ(services.disk["/w/p.qsp"], "saved 3") << "Overwrite writes at once";
  commands.WindowActivated();
  EXPECT_EQ(ui.changedFileQuestions.size(), 3u);

  // Deleted: nothing to reload; Overwrite writes it again.
  services.disk.erase("/w/p.qsp");
  ui.changedFileAnswers = {Answer::Overwrite};
  commands.WindowActivated();
  ASSERT_EQ(ui.changedFileQuestions.size(), 4u);
  EXPECT_FALSE(ui.changedFileQuestions[3].second) << "no Reload for a deleted file";
  EXPECT_EQ(ui.changedFileQuestions[3].first.text,
            "p.qsp was deleted by another program since this window opened or saved it.\n\n"
            "Overwrite writes this window's project there again; Save As... saves it under "
            "another name.");
  EXPECT_EQ(services.disk["/w/p.qsp"], "saved 4");

  // A project without a file, and a new project's file that does not exist yet, ask nothing.
  ui.files = {{"/w/new.qsp", 0}};
  ui.saveAnswers = {app::SaveAnswer::Discard};
  commands.project.NewProject();
  commands.WindowActivated();
  EXPECT_EQ(ui.changedFileQuestions.size(), 4u);
}

TEST_F(CommandTest, aLanguageFileSomeoneElseWroteIsReplacedOnlyWhenTheAuthorSaysSo) {
  services.languageChangedOnDisk = true;
  struct Case {
    bool typed;
    std::deque<bool> answers;
    bool written;
  };
  for (const Case& c :
       {Case{false, {}, false}, Case{true, {false}, false}, Case{true, {true}, true}}) {
    state = {};
    services.savedLanguages.clear();
    ui.questions.clear();
    if (c.typed) {
      ui.headings.syntax = "Aufruf";
      commands.options.CaptionEdited();
    }
    ui.answers = c.answers;
    ASSERT_TRUE(app::ShutDown(context));
    EXPECT_EQ(ui.questions.size(), c.typed ? 1u : 0u) << "nothing typed, nothing asked";
    EXPECT_EQ(services.savedLanguages.size(), c.written ? 1u : 0u);
    if (!c.written) {
      EXPECT_EQ(ui.statuses.back(), "Kept QuillSmith_English.lng as another program wrote it");
    }
  }
  EXPECT_EQ(ui.questions[0].text,
            "QuillSmith_English.lng was changed by another program since this window read it."
            "\n\nOverwrite it with the captions typed here?");
}

// Two stores stand for two runs: each holds its own locks, as two processes would.
TEST(RecoveryStore, offersOnlyCopiesNoRunningProgramHoldsThatAreNewerThanTheirProject) {
  namespace fs = std::filesystem;
  testsupport::TempFolder temp;
  auto project = testsupport::MakeProject({"Index", "A"});
  project.projectFile = temp.Path("saved.qsp");
  temp.Write("saved.qsp", "older than the copy");
  fs::last_write_time(fs::path(project.projectFile),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  auto unnamed = project;
  unnamed.projectFile.clear();
  auto writer = std::make_unique<config::RecoveryStore>(temp.Path());
  writer->Write(project);
  writer->Write(unnamed);
  // An owner file of an earlier version naming a process that no longer runs decides
  // nothing.
  for (const auto& entry : fs::directory_iterator(temp.Path("Recovery"))) {
    if (entry.path().extension() == ".qsp") {
      temp.Write("Recovery/" + entry.path().stem().string() + ".owner", "999999999\n");
    }
  }

  auto next = std::make_unique<config::RecoveryStore>(temp.Path());
  EXPECT_TRUE(next->Find().empty()) << "the writer still runs";
  writer.reset();  // the writer ends without saving
  auto found = next->Find();
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(fs::path(found[0].path).parent_path(), fs::path(temp.Path("Recovery")));
  std::vector<std::string> projects{found[0].projectFile, found[1].projectFile};
  std::sort(projects.begin(), projects.end());
  EXPECT_EQ(projects, (std::vector<std::string>{"", project.projectFile}));
  const std::string offered = found[0].projectFile == "" ? found[0].path : found[1].path;
  const std::string offeredBytes = temp.Read("Recovery/" + fs::path(offered).filename().string());

  // While they are offered no third run takes them or writes over them: its copy of the same
  // project goes under another name.
  {
    config::RecoveryStore third(temp.Path());
    EXPECT_TRUE(third.Find().empty());
    auto other = testsupport::MakeProject({"Index", "B"});
    third.Write(other);
    EXPECT_EQ(temp.Read("Recovery/" + fs::path(offered).filename().string()), offeredBytes);
    third.Remove("");
  }

  // Left for later, the copy is let go: this run's own copy of that project goes under another
  // name, removing this run's copies of the project leaves it, and the next start offers it.
  const std::string postponed = found[0].projectFile == "" ? found[1].path : found[0].path;
  const std::string postponedName = "Recovery/" + fs::path(postponed).filename().string();
  const std::string postponedBytes = temp.Read(postponedName);
  next->Postpone(postponed);
  auto typedHere = project;
  typedHere.FindTopic("A")->title = "typed in this run";
  next->Write(typedHere);
  EXPECT_EQ(temp.Read(postponedName), postponedBytes);
  next->Remove(project.projectFile);
  EXPECT_EQ(temp.Read(postponedName), postponedBytes);
  {
    config::RecoveryStore nextStart(temp.Path());
    const auto again = nextStart.Find();
    ASSERT_EQ(again.size(), 1u) << "the other copy is still offered by the run before";
    EXPECT_EQ(again[0].path, postponed);
  }

  // Restored, the copy takes the run's later writes; declined, it goes.
  next->Take(offered);
  next->Write(testsupport::MakeProject({"Index", "C"}));
  EXPECT_NE(temp.Read("Recovery/" + fs::path(offered).filename().string()), offeredBytes);
  next->Remove("");
  EXPECT_FALSE(fs::exists(offered));

  // A project saved after its copy was written makes the copy stale: it goes.
  next.reset();
  config::RecoveryStore last(temp.Path());
  fs::last_write_time(fs::path(project.projectFile),
                      fs::file_time_type::clock::now() + std::chrono::hours(1));
  {
    testsupport::LogCapture log("qs.config");
    EXPECT_TRUE(last.Find().empty());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with("qs.config: recovery copy older than its project"));
  }
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(temp.Path("Recovery"))) {
    // Lock files stay on Windows, empty.
    if (testsupport::kOnWindows && entry.path().extension() == ".lock") continue;
    left.push_back(entry.path().filename().string());
  }
  EXPECT_TRUE(left.empty()) << left.front() << ": copies, owner and lock files all go";
}

}  // namespace
}  // namespace qs::apptest
