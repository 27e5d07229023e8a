// Unsaved work in the real window: the title marker follows the typing, Ctrl+S saves in place,
// the keys undo outside the editors, the window has the focus after an overwrite question,
// the close question can be cancelled, and work typed before the program was killed is
// offered back at the next start.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/lifecycle.h"
#include "modaldriver.h"
#include "project/projectfile.h"
#include "project/usertopics.h"
#include "spelling/speller.h"
#include "support/projectfixture.h"
#include "text/paths.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/startup.h"
#include "ui/spelling/spellcheck.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::WaitFor;
using uitest::WhenModal;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A saved project of the sample library, shown with its function page at row 1 selected.
struct SavedSample : uitest::WiredWindow {
  explicit SavedSample(const std::string& settingsFolder = {})
      : WiredWindow(false, settingsFolder) {
    ExtractSample(Path("help/"));
    text::Reports reports;
    services->SaveProject(project, project.projectFile, reports);
    project.modified = false;
    // As the window's own save would: the file is what the window wrote.
    context->RememberProjectFile();
    SelectRow(1);
    commands->ShowUnsavedState();
  }
  QString Title() const { return window->windowTitle(); }
};

TEST(UnsavedWork, aProjectOpenedAfterTheFirstPaintIsShownSaved) {
  SavedSample saved;
  // The Index page the project opens on has an overview: filling the form is no typing.
  project::Topic* index = saved.project.FindTopic("Index");
  ASSERT_NE(index, nullptr);
  index->summary = "An overview of the library.";
  text::Reports reports;
  ASSERT_TRUE(saved.services->SaveProject(saved.project, saved.project.projectFile, reports));
  saved.context->RememberProjectFile();

  uitest::WiredWindow next(false);
  next.window->show();
  app::FinishStart(*next.context, "");
  ui::OpenAfterFirstPaint(*next.window, *next.context, saved.project.projectFile);
  QTRY_VERIFY(next.project.ItemCount() > 0);
  EXPECT_EQ(next.window->projectTab().summaryEditor->toPlainText(), "An overview of the library.");
  EXPECT_EQ(next.window->windowTitle().toStdString(), "QuillSmith [Fast Builder] - demo.qsp");
  // Typing still counts at once.
  QTest::keyClicks(next.window->projectTab().summaryEditor, " More.");
  EXPECT_EQ(next.window->windowTitle().toStdString(), "QuillSmith [Fast Builder] - demo.qsp *");
}

TEST(UnsavedWork, theTitleMarksTypingAtOnceAndCtrlSSavesInPlace) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  EXPECT_EQ(app.Title(), "QuillSmith [Fast Builder] - demo.qsp");
  app.window->projectTab().bodyEditor->setFocus();
  QTest::keyClicks(app.window->projectTab().bodyEditor, "new words");
  EXPECT_EQ(app.Title(), "QuillSmith [Fast Builder] - demo.qsp *");

  // Inside the editor Ctrl+Z is the editor's own undo; Ctrl+S saves without a requester.
  QTest::keyClick(app.window->projectTab().bodyEditor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(app.window->projectTab().bodyEditor->toPlainText().contains("new words"));
  QTest::keyClicks(app.window->projectTab().bodyEditor, "kept");
  QTest::keyClick(app.window->projectTab().bodyEditor, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(app.Title(), "QuillSmith [Fast Builder] - demo.qsp");
  EXPECT_NE(ReadAll(app.project.projectFile).find("kept"), std::string::npos);
  EXPECT_EQ(
      app.window->statusBar()->currentMessage().toStdString(),
      "Saved " + std::to_string(app.project.ItemCount()) + " pages to " + app.project.projectFile);

  // The title field counts too, from the first keystroke after the save.
  QTest::keyClicks(app.window->projectTab().titleField, "x");
  EXPECT_TRUE(app.Title().endsWith(" *"));

  // Outside the editors Ctrl+Z takes a move back.
  const QString second =
      app.window->projectTab().topicListView->model()->index(2, 0).data().toString();
  app.window->projectTab().moveDownButton->click();
  EXPECT_EQ(app.window->projectTab().topicListView->model()->index(1, 0).data().toString(), second);
  app.window->projectTab().topicListView->setFocus();
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(app.window->projectTab().topicListView->model()->index(1, 0).data().toString(), second);
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(app.window->projectTab().topicListView->model()->index(1, 0).data().toString(), second);
}

TEST(UnsavedWork, afterAnOverwriteQuestionTheWindowHasTheFocusAndCloseCanBeCancelled) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  const std::string path = app.project.projectFile;
  bool overwriteAsked = false;
  WhenModal<QFileDialog>("", [path](QFileDialog* dialog) {
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  WhenModal<QMessageBox>(
      "", [](QMessageBox* box) { return box->parent() != nullptr && box->isVisible(); },
      [&overwriteAsked](QMessageBox* box) {
        overwriteAsked = true;
        box->button(QMessageBox::Yes)->click();
      });
  app.window->projectTab().saveProjectButton->click();
  EXPECT_TRUE(overwriteAsked);
  // The window system activates the window a moment later.
  EXPECT_TRUE(WaitFor([&] { return QApplication::activeWindow() == app.window.get(); }, 5));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->window(), app.window.get());

  // Esc on the save question keeps the program running with the typing in place.
  QTest::keyClicks(app.window->projectTab().titleField, " typed");
  WhenModal<QMessageBox>("", [](QMessageBox* box) {
    EXPECT_EQ(box->text(), "Save changes to demo.qsp?");
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_FALSE(app.window->close());
  EXPECT_TRUE(app.window->isVisible());
  EXPECT_TRUE(app.window->projectTab().titleField->text().endsWith(" typed"));
  EXPECT_TRUE(app.Title().endsWith(" *"));
}

TEST(UnsavedWork, typingRightAfterChoosingTheLibraryGoesIntoThePageTheListSelects) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  const std::string library = app.libraryPath;
  WhenModal<QFileDialog>("", [library](QFileDialog* dialog) {
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(library));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  app.window->projectTab().browseLibraryButton->click();
  ASSERT_EQ(app.window->projectTab().topicListView->currentIndex().data().toString(), "Index");
  EXPECT_EQ(app.window->projectTab().titleField->text().toStdString(),
            app.project.FindTopic("Index")->title);
  QTest::keyClicks(app.window->projectTab().titleField, " and more");
  app.SelectRow(2);
  EXPECT_EQ(app.project.FindTopic("Index")->title, "TextKit library and more");
}

// The misspelt words underlined in an editor.
QStringList Underlined(const QPlainTextEdit& editor) {
  QStringList words;
  for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
      if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
        words.append(block.text().mid(range.start, range.length));
    }
  }
  return words;
}

// Types `text` at the end of a field or editor that has the focus.
void TypeAtEnd(QWidget& field, const QString& text) {
  field.setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(&field)) line->end(false);
  if (auto* editor = qobject_cast<QPlainTextEdit*>(&field)) editor->moveCursor(QTextCursor::End);
  QTest::keyClicks(&field, text);
}

// Each page keeps the undo of its typing while the author looks at other pages, in the title
// and in the editors, as their own keys and the Edit menu take it; it is the page's still
// after a save, and an undo then is unsaved work again; the spelling and the unsaved mark
// follow the typing into the page's kept texts; the 50 pages shown last keep theirs.
TEST(UnsavedWork, eachPageKeepsTheUndoOfItsTypingWhileOtherPagesAreShown) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  ProjectTab& tab = app.window->projectTab();
  MainMenus& menus = app.window->menus();
  app.window->speller().SetDictionary("en_US");
  ASSERT_EQ(app.window->speller().activeDictionary(), "en_US")
      << "the package hunspell-en-us is missing";
  const std::string page = app.project.ItemText(1);
  const QString body = tab.bodyEditor->toPlainText();
  const QString title = tab.titleField->text();
  const QString example = tab.exampleEditor->toPlainText();
  TypeAtEnd(*tab.bodyEditor, " Recieve");
  TypeAtEnd(*tab.titleField, " more");
  TypeAtEnd(*tab.exampleEditor, "Debug 1");

  // Another page typed into, and the Index page, whose list is the program's.
  app.SelectRow(2);
  TypeAtEnd(*tab.bodyEditor, " Other");
  app.SelectRow(0);
  app.SelectRow(1);
  EXPECT_EQ(tab.bodyEditor->toPlainText(), body + " Recieve");
  EXPECT_EQ(tab.titleField->text(), title + " more");
  EXPECT_EQ(Underlined(*tab.bodyEditor), QStringList{"Recieve"});
  QTest::keyClick(tab.bodyEditor, Qt::Key_S, Qt::ControlModifier);
  ASSERT_FALSE(app.Title().endsWith(" *"));

  tab.bodyEditor->setFocus();
  emit menus.editMenu->aboutToShow();
  EXPECT_TRUE(menus.undo->isEnabled());
  EXPECT_EQ(menus.undo->text(), QString::fromStdString("&Undo typing in " + page));
  QTest::keyClick(tab.bodyEditor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tab.bodyEditor->toPlainText(), body);
  EXPECT_TRUE(app.Title().endsWith(" *"));
  QTest::keyClick(tab.bodyEditor, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(tab.bodyEditor->toPlainText(), body + " Recieve");
  menus.undo->trigger();
  EXPECT_EQ(tab.bodyEditor->toPlainText(), body);
  QTest::keyClick(tab.bodyEditor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(tab.bodyEditor->toPlainText(), body + " Recieve");
  QTest::keyClick(tab.exampleEditor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tab.exampleEditor->toPlainText(), example);

  // The title's history is the page's too, and its keys and menu items are the field's.
  tab.titleField->setFocus();
  emit menus.editMenu->aboutToShow();
  EXPECT_TRUE(menus.undo->isEnabled());
  EXPECT_FALSE(menus.redo->isEnabled());
  QTest::keyClick(tab.titleField, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tab.titleField->text(), title);
  emit menus.editMenu->aboutToShow();
  EXPECT_TRUE(menus.redo->isEnabled());
  QTest::keyClick(tab.titleField, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(tab.titleField->text(), title + " more");
  menus.undo->trigger();
  EXPECT_EQ(tab.titleField->text(), title);
  QTest::keyClick(tab.titleField, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(tab.titleField->text(), title + " more");
  const std::unique_ptr<QMenu> menu =
      app.window->spellCheck().CreateContextMenu(tab.titleField, {}, true);
  ASSERT_FALSE(menu->actions().isEmpty());
  QAction* undoItem = menu->actions().front();
  ASSERT_TRUE(undoItem->text().startsWith("&Undo")) << undoItem->text().toStdString();
  EXPECT_TRUE(undoItem->isEnabled());
  undoItem->trigger();
  // What the undo left is what the page keeps.
  app.SelectRow(2);
  EXPECT_EQ(app.project.FindTopic(page)->title, title.toStdString());
  EXPECT_EQ(app.project.FindTopic(page)->example.find("Debug"), std::string::npos);
  EXPECT_NE(app.project.FindTopic(page)->body.find("Recieve"), std::string::npos);
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" Other"));

  // The pages shown last keep their history, up to 50 of them: the 51st goes first.
  for (int i = 0; i < 52; ++i) {
    ASSERT_TRUE(project::AddUserTopic(app.project, "Topic " + std::to_string(i)).added);
  }
  app.ui->RefreshTopicList();
  auto show = [&app](int topic) {
    const int row = app.project.RowOf("Topic " + std::to_string(topic));
    ASSERT_GE(row, 0);
    app.SelectRow(row);
  };
  for (int i = 0; i < 2; ++i) {
    show(i);
    TypeAtEnd(*tab.bodyEditor, " typed");
  }
  for (int i = 2; i < 51; ++i) show(i);
  show(1);
  EXPECT_TRUE(tab.bodyEditor->document()->isUndoAvailable()) << "the 50th page shown last";
  show(0);
  EXPECT_FALSE(tab.bodyEditor->document()->isUndoAvailable()) << "the 51st";
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" typed"));
}

// The project's own changes and their undo never lose typing, nor the history of the pages
// they leave alone; a page that went, or whose text the program replaced (an extraction, a
// project loaded again), starts afresh from the text it stores.
TEST(UnsavedWork, changesOfTheProjectKeepTheTypingAndOnlyTheHistoriesThatStillMatch) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  ProjectTab& tab = app.window->projectTab();
  const std::string typed = app.project.ItemText(1);
  auto showTyped = [&app, &typed] { app.SelectRow(app.project.RowOf(typed)); };
  auto undoable = [&tab] { return tab.bodyEditor->document()->isUndoAvailable(); };
  auto undoOutsideTheForm = [&tab] {
    tab.topicListView->setFocus();
    QTest::keyClick(tab.topicListView, Qt::Key_Z, Qt::ControlModifier);
  };
  TypeAtEnd(*tab.bodyEditor, " Kept");

  // Another page moved and deleted, and both taken back.
  app.SelectRow(3);
  const std::string third = app.project.ItemText(3);
  tab.moveUpButton->click();
  ASSERT_EQ(app.project.ItemText(2), third);
  undoOutsideTheForm();
  EXPECT_EQ(app.project.ItemText(3), third);
  app.SelectRow(4);
  tab.topicListView->setFocus();
  QTest::keyClick(tab.topicListView, Qt::Key_Delete);
  undoOutsideTheForm();
  showTyped();
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" Kept"));
  EXPECT_TRUE(undoable());
  // The page itself moved, and back.
  tab.moveDownButton->click();
  ASSERT_EQ(app.project.RowOf(typed), 2);
  EXPECT_TRUE(undoable());
  undoOutsideTheForm();
  showTyped();
  EXPECT_TRUE(undoable());
  QTest::keyClick(tab.bodyEditor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(tab.bodyEditor->toPlainText().endsWith(" Kept"));
  QTest::keyClick(tab.bodyEditor, Qt::Key_Y, Qt::ControlModifier);

  // Deleted and brought back, the page holds what was typed, without a history.
  tab.topicListView->setFocus();
  QTest::keyClick(tab.topicListView, Qt::Key_Delete);
  ASSERT_EQ(app.project.FindTopic(typed), nullptr);
  undoOutsideTheForm();
  showTyped();
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" Kept"));
  EXPECT_FALSE(undoable());

  // An extraction that gives the page the library's text: the page starts afresh from that;
  // the extraction's undo gives back what was typed before it.
  TypeAtEnd(*tab.bodyEditor, " Again");
  app.SelectRow(0);
  app.window->optionsTab().keepDataCheckBox->setChecked(false);
  WhenModal<QMessageBox>("", [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
  tab.extractButton->click();
  // Back in the window the question left.
  app.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app.window.get()));
  showTyped();
  EXPECT_FALSE(tab.bodyEditor->toPlainText().contains("Kept"));
  EXPECT_FALSE(undoable());
  undoOutsideTheForm();
  showTyped();
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" Kept Again"))
      << tab.bodyEditor->toPlainText().toStdString();
  EXPECT_FALSE(undoable());

  // The project loaded again: its pages hold what was saved, no page a history.
  TypeAtEnd(*tab.bodyEditor, " Saved");
  QTest::keyClick(tab.bodyEditor, Qt::Key_S, Qt::ControlModifier);
  app.commands->project.LoadRecentProject(app.project.projectFile);
  showTyped();
  EXPECT_TRUE(tab.bodyEditor->toPlainText().endsWith(" Kept Again Saved"));
  EXPECT_FALSE(undoable());
  EXPECT_FALSE(app.Title().endsWith(" *"));
}

// Answers every question about a changed file from a queue of button texts, as the author
// would, and counts them.
struct ChangedFileQuestions {
  std::deque<QString> answers;
  QStringList texts;
  std::vector<bool> reloadOffered;
  QTimer timer;

  ChangedFileQuestions() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || box->objectName() != "FileChangedQuestion" || !box->isVisible()) {
        return;
      }
      texts << box->text();
      QAbstractButton* chosen = nullptr;
      bool reload = false;
      for (QAbstractButton* button : box->buttons()) {
        const QString text = button->text().remove('&');
        if (text == "Reload") reload = true;
        if (!answers.empty() && text == answers.front()) chosen = button;
      }
      reloadOffered.push_back(reload);
      if (!answers.empty()) answers.pop_front();
      if (chosen != nullptr) {
        chosen->click();
      } else {
        QTest::keyClick(box, Qt::Key_Escape);
      }
    });
    timer.start(20);
  }
};

// The window the author left and comes back to.
void Activate(MainWindow& window) {
  window.activateWindow();
  WaitFor([&] { return QApplication::activeWindow() == &window; }, 5);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&window, &activate);
  // The question comes once the activation is handled.
  QTest::qWait(100);
}

TEST(UnsavedWork, aProjectFileAnotherProgramWroteIsAskedAboutBeforeItIsOverwritten) {
  SavedSample app;
  ASSERT_TRUE(app.exposed);
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == app.window.get(); }, 5));
  const std::string path = app.project.projectFile;
  ChangedFileQuestions questions;

  // Another program writes the file in place while the author types here.
  auto theirs = testsupport::MakeProject({"Index", "Theirs"});
  theirs.libraryFile = app.project.libraryFile;
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(theirs, app.Path("theirs.qsp"), reports));
  const auto outside = [&](const std::string& command) {
    QProcess shell;
    shell.start("sh", {"-c", QString::fromStdString(command)});
    ASSERT_TRUE(shell.waitForFinished());
    ASSERT_EQ(shell.exitCode(), 0) << command;
  };
  outside("cat '" + app.Path("theirs.qsp") + "' > '" + path + "'");
  const std::string theirBytes = ReadAll(path);
  app.window->projectTab().bodyEditor->setFocus();
  QTest::keyClicks(app.window->projectTab().bodyEditor, "ByTheAuthor ");
  // Once the window is active again after a question, as the shortcut needs.
  const auto ctrlS = [&] {
    app.window->activateWindow();
    WaitFor([&] { return QApplication::activeWindow() == app.window.get(); }, 5);
    QTest::keyClick(app.window->projectTab().bodyEditor, Qt::Key_S, Qt::ControlModifier);
  };

  // Coming back to the window asks once about that version; Cancel leaves both as they are.
  Activate(*app.window);
  Activate(*app.window);
  ASSERT_EQ(questions.texts.size(), 1);
  EXPECT_EQ(questions.texts[0].toStdString(),
            "demo.qsp was changed by another program since this window opened or saved it.\n\n"
            "Reload reads the file again (your unsaved work is kept as a recovery copy); "
            "Overwrite replaces it with this window's project; Save As... saves this window's "
            "project under another name.");
  EXPECT_EQ(ReadAll(path), theirBytes);
  EXPECT_TRUE(app.window->projectTab().bodyEditor->toPlainText().contains("ByTheAuthor"));

  // A save asks again: Cancel saves nothing.
  ctrlS();
  ASSERT_EQ(questions.texts.size(), 2);
  EXPECT_EQ(ReadAll(path), theirBytes);
  EXPECT_TRUE(app.window->projectTab().bodyEditor->toPlainText().contains("ByTheAuthor"));
  EXPECT_TRUE(app.Title().endsWith(" *"));

  // Reload shows their version and keeps the author's in a recovery copy.
  questions.answers = {"Reload"};
  ctrlS();
  ASSERT_EQ(questions.texts.size(), 3);
  EXPECT_EQ(ReadAll(path), theirBytes);
  EXPECT_EQ(app.window->projectTab().topicListView->model()->index(1, 0).data().toString(),
            "Theirs");
  EXPECT_FALSE(app.Title().endsWith(" *"));
  // The copy is this run's (no other run takes it) until the run ends; then it is offered.
  std::vector<std::string> copies;
  for (const auto& entry : std::filesystem::directory_iterator(app.Path("Recovery"))) {
    if (entry.path().extension() == ".qsp") copies.push_back(entry.path().string());
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_NE(ReadAll(copies[0]).find("ByTheAuthor"), std::string::npos);
  project::HelpProject kept;
  text::Reports keptReports;
  ASSERT_TRUE(project::LoadProject(kept, copies[0], {}, keptReports));
  EXPECT_EQ(text::FolderPart(kept.projectFile), text::FolderPart(path));

  // A second window of the program saves the file; Overwrite then writes this window's work.
  {
    uitest::WiredWindow second(false);
    second.commands->project.LoadRecentProject(path);
    ASSERT_EQ(second.project.ItemCount(), 2u);
    second.SelectRow(1);
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == second.window.get(); }, 5));
    second.window->projectTab().bodyEditor->setFocus();
    QTest::keyClicks(second.window->projectTab().bodyEditor, "BySecondWindow ");
    QTest::keyClick(second.window->projectTab().bodyEditor, Qt::Key_S, Qt::ControlModifier);
    ASSERT_NE(ReadAll(path).find("BySecondWindow"), std::string::npos);
  }
  app.window->activateWindow();
  app.SelectRow(1);
  app.window->projectTab().bodyEditor->setFocus();
  QTest::keyClicks(app.window->projectTab().bodyEditor, "ByFirstWindow ");
  questions.answers = {"Overwrite"};
  ctrlS();
  ASSERT_EQ(questions.texts.size(), 4);
  EXPECT_NE(ReadAll(path).find("ByFirstWindow"), std::string::npos);
  EXPECT_EQ(ReadAll(path).find("BySecondWindow"), std::string::npos);

  // The window's own saves never ask.
  QTest::keyClicks(app.window->projectTab().bodyEditor, "AndAgain ");
  ctrlS();
  Activate(*app.window);
  EXPECT_EQ(questions.texts.size(), 4);
  EXPECT_NE(ReadAll(path).find("AndAgain"), std::string::npos);

  // Deleted: said so, no Reload; Overwrite writes it again.
  outside("rm '" + path + "'");
  questions.answers = {"Overwrite"};
  Activate(*app.window);
  ASSERT_EQ(questions.texts.size(), 5);
  EXPECT_TRUE(questions.texts[4].startsWith("demo.qsp was deleted by another program"));
  EXPECT_FALSE(questions.reloadOffered[4]);
  EXPECT_NE(ReadAll(path).find("AndAgain"), std::string::npos);
}

// The run that is killed: started by the test below as a second process of this program.
constexpr const char* kVictimVariable = "QS_TEST_KILLED_RUN";
constexpr const char* kTypedBeforeTheKill = "typed before the kill";

TEST(UnsavedWork, workTypedBeforeTheProgramWasKilledIsOfferedBackAtTheNextStart) {
  QTemporaryDir settings;
  const std::string settingsFolder = settings.path().toStdString() + "/";
  std::string projectFile, saved;
  {
    SavedSample first(settingsFolder);
    // The project outlives the window's temporary folder: the next runs load it.
    projectFile = settingsFolder + "demo.qsp";
    std::filesystem::copy_file(first.project.projectFile, projectFile);
    saved = ReadAll(projectFile);
  }

  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kVictimVariable, QString::fromStdString(settingsFolder + "|" + projectFile));
  environment.insert("QS_RECOVERY_INTERVAL_MS", "200");
  run.setProcessEnvironment(environment);
  run.start(QCoreApplication::applicationFilePath(), {});
  ASSERT_TRUE(run.waitForStarted());
  const std::string recovery = settingsFolder + "Recovery/";
  const bool written = WaitFor(
      [&] {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(recovery, error)) {
          // Not the temporary file of a write in progress: the copy itself.
          if (entry.path().extension() != ".qsp") continue;
          if (ReadAll(entry.path().string()).find(kTypedBeforeTheKill) != std::string::npos) {
            return true;
          }
        }
        return false;
      },
      60);
  // SIGKILL (TerminateProcess on Windows): no clean exit of any kind.
  run.kill();
  run.waitForFinished();
  ASSERT_TRUE(written) << run.readAllStandardError().toStdString();

  // The next start names another project on its command line, as a desktop file open does.
  const std::string other = settingsFolder + "other.qsp";
  {
    project::HelpProject named = testsupport::MakeProject({"Index", "Other"});
    text::Reports reports;
    ASSERT_TRUE(project::SaveProject(named, other, reports));
  }
  uitest::WiredWindow next(false, settingsFolder);
  QString asked;
  QStringList buttons;
  WhenModal<QMessageBox>("", [&](QMessageBox* box) {
    asked = box->text();
    for (const QAbstractButton* button : box->buttons()) buttons << button->text();
    EXPECT_EQ(box->defaultButton()->text(), "Restore");
    EXPECT_EQ(box->escapeButton()->text(), "Later") << "Esc loses nothing";
    box->defaultButton()->click();
  });
  // As the program starts: the offer first, the named project once the window has painted.
  app::FinishStart(*next.context, "");
  ui::OpenAfterFirstPaint(*next.window, *next.context, other);
  // The project is opened after the first paint, or a second at the latest.
  QTest::qWait(1500);
  EXPECT_TRUE(asked.startsWith("Restore unsaved work from ")) << asked.toStdString();
  EXPECT_TRUE(asked.contains("Discard deletes this unsaved work for good."));
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"Discard", "Later", "Restore"}));
  EXPECT_EQ(next.project.projectFile, projectFile);
  EXPECT_EQ(next.window->projectTab().projectFileField->text().toStdString(), projectFile);
  const project::Topic* typed = next.project.FindTopic(next.project.ItemText(1));
  ASSERT_NE(typed, nullptr);
  EXPECT_NE(typed->title.find(kTypedBeforeTheKill), std::string::npos);
  EXPECT_TRUE(next.window->windowTitle().endsWith(" *"));
  EXPECT_EQ(ReadAll(projectFile), saved) << "the user's project file is written only by a save";
}

}  // namespace

// The killed run: loads the project, types into the form of row 1 and waits to be killed.
// Returns -1 when this process is no such run.
int RunUntilKilled() {
  const QString value = qEnvironmentVariable(kVictimVariable);
  if (value.isEmpty()) return -1;
  const QStringList parts = value.split('|');
  uitest::WiredWindow app(false, parts[0].toStdString());
  app::FinishStart(*app.context, parts[1].toStdString());
  app.SelectRow(1);
  app.window->projectTab().titleField->setFocus();
  QTest::keyClicks(app.window->projectTab().titleField, QString(" ") + kTypedBeforeTheKill);
  // Never left behind should the test itself die first.
  QTimer::singleShot(std::chrono::minutes(2), qApp, &QApplication::quit);
  return QApplication::exec();
}

}  // namespace qs::ui
