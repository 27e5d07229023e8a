// The real main window under the offscreen platform: layout on resize, the splitter, the
// shortcuts, the form per kind of page, the language list, and start-up with real files.

#include "ui/mainwindow/mainwindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/commands.h"
#include "app/coreservices.h"
#include "app/lifecycle.h"
#include "config/wordlist.h"
#include "modaldriver.h"
#include "project/projectfile.h"
#include "project/topicops.h"
#include "project/usertopics.h"
#include "spelling/speller.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "ui/mainwindow/guardedapplication.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/qtui.h"
#include "ui/mainwindow/wiring.h"
#include "ui/preview/caseinsensitivefiles.h"
#include "ui/spelling/spellcheck.h"
#include "ui/spelling/spellhighlighter.h"
#include "ui/topiclist/pagesearchdialog.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/linkdialog.h"
#include "ui/widgets/nameprompt.h"
#include "ui/widgets/promptbuttonkeys.h"
#include "version/version.h"

namespace qs::ui {
namespace {

// The read-only list a form editor shows in its place (the Index page's functions list), as
// the author sees it: null when there is none.
QPlainTextEdit* ProgramView(const FormEditor& editor) {
  return editor.findChild<QPlainTextEdit*>(editor.objectName() + "ProgramView");
}

// The text the editor shows: the list in its place, line by line, or what is typed.
QString ShownText(const FormEditor& editor) {
  const QPlainTextEdit* list = ProgramView(editor);
  if (list != nullptr && list->isVisibleTo(&editor)) {
    return list->toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
  }
  return editor.toPlainText();
}

// The captions of the recent projects' drop-down, as it opens.
QStringList RecentProjectsMenu(MainWindow& window) {
  QMenu* menu = window.projectTab().recentProjectsButton->menu();
  emit menu->aboutToShow();
  QStringList captions;
  for (const QAction* action : menu->actions()) captions << action->text();
  return captions;
}

// One window for the layout tests; the browser is left out to keep them fast.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(false);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  std::unique_ptr<MainWindow> window;
};

TEST_F(WindowTest, growingTheWindowGivesTheRoomToTheListTheEditorsAndThePathFields) {
  window->mainPanel()->setCurrentIndex(0);
  QApplication::processEvents();
  const QRect makeHelp = window->projectTab().makeHelpFrame->geometry();
  const QRect files = window->projectTab().filesFrame->geometry();
  const QRect projectField = window->projectTab().projectFileField->geometry();
  const QRect helpField = window->projectTab().helpFolderField->geometry();
  const QRect moveUp = window->projectTab().moveUpButton->geometry();
  const QRect list = window->projectTab().topicListView->geometry();
  const QRect extract = window->projectTab().extractButton->geometry();
  const QRect title = window->projectTab().titleField->geometry();
  const QRect summary = window->projectTab().summaryEditor->geometry();
  const QRect bold = window->projectTab().tagButtons[0]->geometry();
  const int body = window->projectTab().bodyLabel->height();
  const int example = window->projectTab().exampleLabel->height();

  const int dw = 200, dh = 100;
  window->resize(window->size() + QSize(dw, dh));
  QApplication::processEvents();

  EXPECT_EQ(window->projectTab().makeHelpFrame->geometry(), makeHelp.translated(dw, 0));
  EXPECT_EQ(window->projectTab().filesFrame->geometry().size(), files.size() + QSize(dw, dh));
  // The path fields stretch up to the buttons beside them.
  EXPECT_EQ(window->projectTab().projectFileField->geometry(), projectField.adjusted(0, 0, dw, 0));
  EXPECT_EQ(window->projectTab().helpFolderField->geometry(), helpField.adjusted(0, 0, dw, 0));
  EXPECT_LE(window->projectTab().createHelpFolderButton->x() -
                window->projectTab().helpFolderField->geometry().right(),
            8);
  // The topic list takes the height; the page pane takes the width.
  EXPECT_EQ(window->projectTab().moveUpButton->geometry(), moveUp);
  EXPECT_EQ(window->projectTab().topicListView->geometry(), list.adjusted(0, 0, 0, dh));
  EXPECT_EQ(window->projectTab().extractButton->geometry(), extract.translated(0, dh));
  EXPECT_EQ(window->projectTab().titleField->geometry(), title.adjusted(0, 0, dw, 0));
  EXPECT_EQ(window->projectTab().summaryEditor->geometry(), summary.adjusted(0, 0, dw, 0));
  EXPECT_EQ(window->projectTab().tagButtons[0]->geometry(), bold.translated(dw, 0));
  // Description and example share the height, and both grow.
  EXPECT_EQ(window->projectTab().bodyLabel->height() + window->projectTab().exampleLabel->height(),
            body + example + dh);
  EXPECT_GT(window->projectTab().bodyLabel->height(), body);
  EXPECT_GT(window->projectTab().exampleLabel->height(), example);

  // However large the window, the example keeps at least a third of that height.
  window->resize(1600, 1400);
  QApplication::processEvents();
  const int shared =
      window->projectTab().bodyLabel->height() + window->projectTab().exampleLabel->height();
  EXPECT_GE(window->projectTab().exampleLabel->height() * 3, shared - 3);
  EXPECT_GT(window->projectTab().bodyLabel->height(), window->projectTab().exampleLabel->height());
}

TEST_F(WindowTest, growingTheWindowMovesTheLowerOptionsWithTheirCorner) {
  window->mainPanel()->setCurrentIndex(1);
  QApplication::processEvents();
  // Places in the window, whichever group a control sits in.
  auto place = [this](QWidget* control) {
    return QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size());
  };
  const QRect about = place(window->optionsTab().aboutFrame);
  const QRect associate = place(window->optionsTab().associateButton);
  const QRect unique = place(window->optionsTab().uniqueHtmlButton);
  const QRect compile = place(window->optionsTab().compileCheckBox);
  const QRect compiler = place(window->optionsTab().compilerPathField);
  const QRect browse = place(window->optionsTab().browseCompilerButton);
  const QRect heading = place(window->optionsTab().headingFields[0]);
  const int dw = 120, dh = 80;
  window->resize(window->size() + QSize(dw, dh));
  QApplication::processEvents();
  EXPECT_EQ(place(window->optionsTab().aboutFrame), about.translated(0, dh));
  EXPECT_EQ(place(window->optionsTab().associateButton), associate.translated(dw, dh));
  EXPECT_EQ(place(window->optionsTab().uniqueHtmlButton), unique.translated(dw, dh));
  EXPECT_EQ(place(window->optionsTab().compileCheckBox), compile);
  EXPECT_EQ(place(window->optionsTab().compilerPathField), compiler.adjusted(0, 0, dw, 0));
  EXPECT_EQ(place(window->optionsTab().browseCompilerButton), browse.translated(dw, 0));
  EXPECT_EQ(place(window->optionsTab().headingFields[0]), heading.adjusted(0, 0, dw, 0));
}

TEST_F(WindowTest, windowOpensAtItsSizeAndKeepsItsLimitsAndThoseOfTheSplitter) {
  EXPECT_GE(window->minimumWidth(), 657);
  EXPECT_GE(window->minimumHeight(), 583);
  EXPECT_EQ(window->size(), window->minimumSize().expandedTo(MainWindow::kInitialInner));
  window->resize(100, 100);
  EXPECT_EQ(window->size(), window->minimumSize());

  // The divider starts at the topic pane's narrowest and cannot squeeze either pane.
  const int topicMinimum = std::max(148, window->projectTab().topicPane->minimumSizeHint().width());
  EXPECT_EQ(window->projectTab().topicPane->width(), topicMinimum);
  window->projectTab().paneSplitter->setSizes({20, 2000});
  QApplication::processEvents();
  EXPECT_GE(window->projectTab().topicPane->width(), topicMinimum);
  window->projectTab().paneSplitter->setSizes({2000, 20});
  QApplication::processEvents();
  EXPECT_GE(window->projectTab().pagePane->width(), 400);

  // A larger font makes the window larger, never its texts cut, once its layouts have
  // measured the new font.
  const QSize usual = window->minimumSize();
  const QFont font = QApplication::font();
  QFont large = font;
  large.setPointSize(16);
  QApplication::setFont(large);
  for (int turn = 0; turn < 50 && window->minimumSize() == usual; ++turn) QTest::qWait(10);
  EXPECT_GT(window->minimumWidth(), usual.width());
  EXPECT_GT(window->minimumHeight(), usual.height());
  EXPECT_GE(window->width(), window->minimumWidth());
  QApplication::setFont(font);
}

TEST_F(WindowTest, shortcutsWorkWithTheFocusInAnEditor) {
  QSignalSpy spy(window.get(), &MainWindow::shortcutCommand);
  window->setFormActive(true);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->projectTab().bodyEditor->setFocus();
  QTest::keyClick(window->projectTab().bodyEditor, Qt::Key_F1);
  QTest::keyClick(window->projectTab().bodyEditor, Qt::Key_F2);
  QTest::keyClick(window->projectTab().bodyEditor, Qt::Key_S, Qt::ControlModifier);
  window->projectTab().titleField->setFocus();
  QTest::keyClick(window->projectTab().titleField, Qt::Key_N, Qt::ControlModifier);
  // Without a browser the switch is greyed out, and so is its key.
  QTest::keyClick(window->projectTab().titleField, Qt::Key_Escape);
  ASSERT_EQ(spy.count(), 4);
  EXPECT_EQ(spy[0][0].value<app::CommandId>(), app::CommandId::PreviewPage);
  EXPECT_EQ(spy[1][0].value<app::CommandId>(), app::CommandId::PreviewAll);
  EXPECT_EQ(spy[2][0].value<app::CommandId>(), app::CommandId::Save);
  EXPECT_EQ(spy[3][0].value<app::CommandId>(), app::CommandId::New);
}

// The menus' items in the order they are shown, submenus after their entry.
std::vector<QAction*> MenuItems(const QList<QAction*>& actions) {
  std::vector<QAction*> items;
  for (QAction* action : actions) {
    if (action->isSeparator()) continue;
    items.push_back(action);
    if (action->menu() != nullptr) {
      const std::vector<QAction*> inner = MenuItems(action->menu()->actions());
      items.insert(items.end(), inner.begin(), inner.end());
    }
  }
  return items;
}

// Every key of a menu item is answered exactly once, wherever the focus is: by the item, or
// for a key a control owns (a button's, Del in the topic list) by that control alone.
TEST_F(WindowTest, everyMenuKeyActsExactlyOnce) {
  QSignalSpy commands(window.get(), &MainWindow::shortcutCommand);
  window->setFormActive(true);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  int closeAsked = 0;
  window->setCloseHandler([&closeAsked] {
    ++closeAsked;
    return false;
  });
  std::map<QString, QString> keys;
  int tried = 0;
  for (QAction* action : MenuItems(window->menuBar()->actions())) {
    const QString owner = action->objectName() + " " + action->text();
    for (const QKeySequence& key : action->shortcuts()) {
      EXPECT_TRUE(keys.emplace(key.toString(), owner).second)
          << key.toString().toStdString() << ": " << owner.toStdString() << " and "
          << keys[key.toString()].toStdString();
      window->menus().Refresh();
      if (!action->isEnabled() || action->objectName() == "AboutAction") continue;
      window->projectTab().topicListView->setFocus();
      QSignalSpy triggered(action, &QAction::triggered);
      commands.clear();
      const QKeyCombination k = key[0];
      QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
      QApplication::processEvents();
      ++tried;
      if (action->shortcutContext() == Qt::WidgetShortcut) {
        // The item only shows the key; its control answers it.
        EXPECT_EQ(triggered.count(), 0) << owner.toStdString();
      } else {
        EXPECT_EQ(triggered.count(), 1)
            << owner.toStdString() << " " << key.toString().toStdString();
        EXPECT_LE(commands.count(), 1) << owner.toStdString();
      }
    }
  }
  EXPECT_GE(tried, 10);
  // Ctrl+Q asked the window to close, which runs the close question; refused, it stays open.
  EXPECT_EQ(closeAsked, 1);
  EXPECT_TRUE(window->isVisible());

  // Del in the topic list is the Delete item's command; in a field it stays the field's.
  window->projectTab().topicListView->setFocus();
  commands.clear();
  QTest::keyClick(window->projectTab().topicListView, Qt::Key_Delete);
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands[0][0].value<app::CommandId>(), app::CommandId::DeleteItem);
  window->projectTab().titleField->setText("Title");
  window->projectTab().titleField->setFocus();
  window->projectTab().titleField->setCursorPosition(0);
  QTest::keyClick(window->projectTab().titleField, Qt::Key_Delete);
  EXPECT_EQ(window->projectTab().titleField->text(), "itle");
  EXPECT_EQ(commands.count(), 1);
  // A button's key clicks the button once and runs no item.
  QSignalSpy up(window->projectTab().moveUpButton, &QPushButton::clicked);
  QSignalSpy upItem(window->menus().moveUp, &QAction::triggered);
  QTest::keyClick(window.get(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(up.count(), 1);
  EXPECT_EQ(upItem.count(), 0);
  // The item itself clicks the button.
  window->menus().moveUp->trigger();
  EXPECT_EQ(up.count(), 2);
}

TEST_F(WindowTest, controlsStartWithTheirCaptionsStatesAndAboutText) {
  EXPECT_EQ(window->windowTitle(), "QuillSmith [Fast Builder]");
  EXPECT_EQ(window->mainPanel()->tabText(0), "&Project");
  EXPECT_EQ(window->mainPanel()->tabText(1), "&Options");
  EXPECT_TRUE(window->optionsTab().keepDataCheckBox->isChecked());
  EXPECT_FALSE(window->optionsTab().compileCheckBox->isChecked());
  EXPECT_FALSE(window->optionsTab().eraseHtmlCheckBox->isChecked());
  // The form shows its placeholders as hints, greyed out until a topic is shown.
  EXPECT_EQ(window->projectTab().titleField->text(), "");
  EXPECT_EQ(window->projectTab().titleField->placeholderText(), "PageTitle");
  EXPECT_EQ(window->projectTab().summaryEditor->placeholderText(),
            "Syntax (Function) or Overview (Index)");
  EXPECT_EQ(window->projectTab().bodyEditor->placeholderText(), "Description");
  EXPECT_EQ(window->projectTab().exampleEditor->placeholderText(), "Code example");
  EXPECT_FALSE(window->formActive());
  EXPECT_FALSE(window->projectTab().titleField->isEnabled());
  EXPECT_FALSE(window->projectTab().bodyEditor->isEnabled());
  EXPECT_TRUE(OptionsTab::AboutText().endsWith(
      "\nVersion " + QString::fromLatin1(kDisplayVersion.data(), kDisplayVersion.size())));
  // It names what this system needs: the DLL of the Windows browser only on Windows.
  const QStringList about = OptionsTab::AboutText().split('\n');
  ASSERT_GE(about.size(), 2);
  EXPECT_EQ(about[1], testsupport::kOnWindows
                          ? "It needs an HTML2CHM compiler and ATL.DLL in the path."
                          : "It needs an HTML2CHM compiler (chmcmd) in the path.");
  EXPECT_EQ(OptionsTab::AboutText().contains("DLL", Qt::CaseInsensitive), testsupport::kOnWindows);
  EXPECT_NE(window->findChild<TopicListView*>("TopicListView"), nullptr);
  EXPECT_NE(window->findChild<QPushButton*>("UniqueHtmlButton"), nullptr);
  EXPECT_FALSE(window->windowIcon().isNull());
  // Without the browser the switch is greyed out.
  EXPECT_FALSE(window->projectTab().editViewButton->isEnabled());
}

// The window bound to the commands, with the core on a temporary settings folder.
class WiredTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ui = std::make_unique<QtUi>(*window, project);
    services = std::make_unique<app::CoreServices>("/nowhere/quillsmith",
                                                   settings.path().toStdString() + "/");
    context = std::make_unique<app::CommandContext>(
        app::CommandContext{project, state, captions, *services, *ui});
    commands = std::make_unique<app::Commands>(*context);
    Wire(*window, *ui, *commands);
  }
  QTemporaryDir settings;
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  std::unique_ptr<QtUi> ui;
  std::unique_ptr<app::CoreServices> services;
  std::unique_ptr<app::CommandContext> context;
  std::unique_ptr<app::Commands> commands;
};

// The window's spell check and recent projects behind the commands: the dictionary goes from
// the settings file into the spell check and back, and a recent project chosen from the
// drop-down loads, goes first in the list and brings its word list.
TEST_F(WiredTest, dictionaryAndRecentProjectsAreWiredToSettingsAndLoading) {
  const std::string folder = settings.path().toStdString() + "/";
  std::ofstream(folder + "QuillSmith.ini") << "[Options]\r\nDictionary = xx_YY\r\n";
  project::HelpProject saved = testsupport::MakeProject({"Index", "Saved"});
  const std::string file = folder + "saved.qsp";
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(saved, file, reports));
  std::ofstream(folder + "QuillSmith.recent") << file << "\r\n";

  app::FinishStart(*context, "");
  EXPECT_EQ(window->speller().dictionaryChoice(), "xx_YY");
  EXPECT_EQ(RecentProjectsMenu(*window), QStringList{"&1  " + QString::fromStdString(file)});

  emit window->recentProjectChosen(file);
  EXPECT_EQ(project.projectFile, file);
  // The title names the project loaded, with nothing of it unsaved.
  EXPECT_EQ(window->windowTitle(), "QuillSmith [Fast Builder] - saved.qsp");
  EXPECT_EQ(window->projectTab().topicListView->model()->rowCount(), 2);
  EXPECT_EQ(window->speller().projectWordListPath(), config::WordListPath(folder, file));

  window->speller().SetDictionary(spelling::Speller::kOff);
  app::SaveSettings(*context);
  std::ifstream written(folder + "QuillSmith.ini");
  const std::string text((std::istreambuf_iterator<char>(written)), {});
  EXPECT_NE(text.find("\r\nDictionary = None\r\nLivePreview = 0\r\n"), std::string::npos) << text;
}

TEST_F(WiredTest, formLabelsStatesAndRoomFollowTheKindOfPage) {
  project = testsupport::MakeProject({"Index", "F1", "Notes*"});
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  QApplication::processEvents();
  const int functionBody = window->projectTab().bodyEditor->height();

  // A user topic has no syntax and no example: those editors are disabled and collapse
  // under their captions, and the text takes their room.
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(2, 0));
  QApplication::processEvents();
  EXPECT_EQ(window->projectTab().summaryLabel->title(), "Not used");
  EXPECT_EQ(window->projectTab().bodyLabel->title(), "User text");
  EXPECT_FALSE(window->projectTab().summaryEditor->isEnabled());
  EXPECT_FALSE(window->projectTab().exampleEditor->isEnabled());
  EXPECT_FALSE(window->projectTab().bodyEditor->isReadOnly());
  EXPECT_TRUE(window->projectTab().exampleLabel->isVisible());
  EXPECT_EQ(window->projectTab().summaryEditor->height(), 0);
  EXPECT_EQ(window->projectTab().exampleEditor->height(), 0);
  EXPECT_EQ(window->projectTab().exampleLabel->height(),
            window->projectTab().exampleLabel->minimumSizeHint().height());
  EXPECT_GT(window->projectTab().bodyEditor->height(), functionBody);

  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  QApplication::processEvents();
  EXPECT_EQ(window->projectTab().summaryLabel->title(), "Syntax");
  EXPECT_TRUE(window->projectTab().summaryEditor->isEnabled());
  EXPECT_TRUE(window->projectTab().summaryEditor->isReadOnly());
  EXPECT_TRUE(window->projectTab().exampleEditor->isEnabled());
  EXPECT_GT(window->projectTab().summaryEditor->height(), 0);
  EXPECT_GT(window->projectTab().exampleEditor->height(), 0);
  EXPECT_EQ(window->projectTab().bodyEditor->height(), functionBody);
  EXPECT_EQ(window->projectTab().bodyEditor->toolTip(), "Function description");

  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  EXPECT_EQ(window->projectTab().bodyLabel->title(), "Index");
  EXPECT_TRUE(window->projectTab().bodyEditor->isReadOnly());
  EXPECT_EQ(window->projectTab().summaryEditor->toolTip(), "Library overview");
}

// What a screen reader hears: each control's name, from its caption (the name following a
// caption that changes with the kind of page), a symbol's tooltip or its own words, and each
// row of the topic list with its kind of page before the checker's marks, which the tooltip
// shows alone.
TEST_F(WiredTest, aScreenReaderHearsEachControlsNameAndEachRowsKindOfPage) {
  project = testsupport::MakeProject({"Index", "F1", "Notes*", "Group#"});
  ui->RefreshTopicList();
  ProjectTab& tab = window->projectTab();
  const auto heard = [](QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
  };
  const std::pair<QWidget*, QString> names[] = {
      {tab.projectFileField, "Project"},
      {tab.libraryFileField, "Library"},
      {tab.helpFolderField, "Help Folder"},
      {tab.showHelpButton, "Show help file"},
      {tab.createHelpFolderButton, "Create help folder"},
      {tab.browseHelpFolderButton, "Browse for help folder"},
      {tab.loadProjectButton, "Load Project"},
      {tab.moveUpButton, "Move topic up"},
      {tab.topicListView, "Topics"},
      {tab.tagButtons[0], "Bold"},
      {tab.tagButtons[5], "End italic"},
      {tab.titleField, "Page Title"},
      {window->optionsTab().compilerPathField,
       "Path to CHM compiler (like HHC.exe or HTM2CHM.exe)"},
      {window->optionsTab().browseCompilerButton, "Browse files"},
      {window->optionsTab().headingFields[1], "Command Index"},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(heard(control), name) << control->objectName().toStdString();
  }
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(tab.tagButtons[1])->text(QAccessible::Description),
      "Types </b> where the caret is");
  EXPECT_EQ(ReadableName("Fish && &Chips [Alt+C] [F4]"), "Fish & Chips");
  // The dialogs' fields: named by their prompt, or by their hint.
  NamePrompt prompt(window.get(), "USER TOPIC", "Name of the new topic", "", QPoint());
  EXPECT_EQ(heard(prompt.field()), "Name of the new topic");
  PageSearchDialog search(window.get(), project);
  EXPECT_EQ(heard(search.searchField), "Text to find in any field of any page");

  TopicListModel* rows = tab.topicListView->topicModel();
  rows->SetMarks({"F1"}, {{"F1", 2}});
  const std::pair<int, QString> kinds[] = {{0, "Index page"},
                                           {1, "Function; Not yet documented; 2 problems"},
                                           {2, "User topic"},
                                           {3, "Index heading"}};
  for (const auto& [row, kind] : kinds) {
    EXPECT_EQ(rows->index(row).data(Qt::AccessibleDescriptionRole).toString(), kind) << row;
  }
  EXPECT_EQ(rows->index(1).data(Qt::ToolTipRole).toString(), "Not yet documented; 2 problems");
  EXPECT_FALSE(rows->index(2).data(Qt::ToolTipRole).isValid());

  tab.topicListView->setCurrentIndex(tab.topicListView->model()->index(2, 0));
  QApplication::processEvents();
  EXPECT_EQ(heard(tab.bodyEditor), "User text");
  tab.topicListView->setCurrentIndex(tab.topicListView->model()->index(0, 0));
  QApplication::processEvents();
  EXPECT_EQ(heard(tab.bodyEditor), "Index");
  ASSERT_NE(ProgramView(static_cast<FormEditor&>(*tab.bodyEditor)), nullptr);
  EXPECT_EQ(heard(ProgramView(static_cast<FormEditor&>(*tab.bodyEditor))), "Functions list");
}

TEST_F(WiredTest, charactersTheCodePageLacksSurviveTheWindow) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  window->projectTab().titleField->setText(QString::fromUtf8("Größe α"));
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  EXPECT_EQ(project.FindTopic("F1")->title,
            "Gr\xF6\xDF"
            "e &#945;");
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  EXPECT_EQ(window->projectTab().titleField->text(), QString::fromUtf8("Größe α"));
}

// Every byte a text of the project file can hold comes back from the real editors as it went
// in: shown, committed and saved, the file is the same to the byte, and showing a page marks
// nothing unsaved. (CR LF is a line break and NUL ends a line, so no text holds them alone.)
TEST_F(WiredTest, everyByteATextCanHoldSurvivesTheEditorsToTheByte) {
  std::vector<std::string> pieces;
  for (int byte = 1; byte <= 0xFF; ++byte) {
    if (byte != '\r' && byte != '\n') pieces.emplace_back(1, static_cast<char>(byte));
  }
  // References shown as the characters they stand for: among them the document's own line and
  // paragraph separators and frame mark, and a character beyond 16 bits; and one of a
  // character the code page holds, shown as written.
  for (const char* reference :
       {"&#945;", "&#8232;", "&#8233;", "&#64976;", "&#65279;", "&#128512;", "&#160;"}) {
    pieces.emplace_back(reference);
  }

  const std::string path = settings.filePath("bytes.qsp").toStdString();
  std::string file;
  auto line = [&file](const std::string& text) { file += text + "\r\n"; };
  // A text's lines (none for an empty text), then the end-of-text line.
  auto text = [&](const std::string& lines) {
    if (!lines.empty()) line(lines);
    line("\xB6");
  };
  // The piece inside a line, at the start and the end of one, and at both ends of the text.
  auto sample = [](const std::string& piece) {
    return piece + "a" + piece + "b\r\n" + piece + "c" + piece + "\r\nd" + piece;
  };
  std::string overview, functions;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    overview += (i == 0 ? "o" : "\r\no") + pieces[i] + "o";
    functions += (i == 0 ? "F" : "\r\nF") + std::to_string(i);
  }
  line("QuillSmith Project *** DO NOT EDIT ***");
  line(path);
  line("/lib/Bytes");
  line("/help/");
  line("Index");
  line("");
  line("Bytes library");
  text(overview);
  text(functions);
  text("Index example");
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    // Description and example of a function page.
    line("F" + std::to_string(i));
    line("()");
    line(pieces[i] + "T" + pieces[i] + "t" + pieces[i]);
    text("F" + std::to_string(i) + "()");
    text(sample(pieces[i]));
    text(sample(pieces[i]));
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    // Overview and example of a user index entry (its functions list is empty).
    line("G" + std::to_string(i) + "\xF7");
    line("");
    line(pieces[i] + "T" + pieces[i] + "t" + pieces[i]);
    text(sample(pieces[i]));
    text("");
    text(sample(pieces[i]));
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    // The text of a user topic.
    line("U" + std::to_string(i) + "\xB1");
    line("");
    line(pieces[i] + "T" + pieces[i] + "t" + pieces[i]);
    text("");
    text(sample(pieces[i]));
    text("");
  }
  std::ofstream(path, std::ios::binary) << file;

  commands->project.LoadRecentProject(path);
  const int rows = window->projectTab().topicListView->model()->rowCount();
  ASSERT_EQ(rows, static_cast<int>(1 + 3 * pieces.size()));
  for (int row = 0; row <= rows; ++row) {
    window->projectTab().topicListView->setCurrentIndex(
        window->projectTab().topicListView->model()->index(row % rows, 0));
  }
  EXPECT_FALSE(project.modified);
  EXPECT_EQ(window->windowTitle().toStdString(), "QuillSmith [Fast Builder] - bytes.qsp");

  // Typed and taken back, a text still holds every byte it held.
  QTextCursor end = window->projectTab().summaryEditor->textCursor();
  end.movePosition(QTextCursor::End);
  window->projectTab().summaryEditor->setTextCursor(end);
  QTest::keyClicks(window->projectTab().summaryEditor, "x");
  QTest::keyClick(window->projectTab().summaryEditor, Qt::Key_Backspace);
  commands->Command(app::CommandId::Save);
  EXPECT_FALSE(project.modified);

  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), {});
  if (saved == file) return;
  // The first line that differs, its bytes spelt out.
  auto spelt = [](std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte > 0x20 && byte < 0x7F) {
        out += c;
        continue;
      }
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", byte);
      out += hex;
    }
    return out;
  };
  std::size_t at = 0;
  while (at < saved.size() && at < file.size() && saved[at] == file[at]) ++at;
  const std::size_t from = file.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t start = from == std::string::npos ? 0 : from + 1;
  ADD_FAILURE() << "written: " << spelt(file.substr(start, file.find('\n', at) - start))
                << "\nsaved:   " << spelt(saved.substr(start, saved.find('\n', at) - start));
}

TEST_F(WiredTest, theFunctionsListHasAViewOfItsOwnOverTheTypedText) {
  project = testsupport::MakeProject({"Index", "Alpha", "Beta"});
  project.RemakeLists();
  project.projectFile = "/w/p.qsp";
  ui->RefreshTopicList();
  auto* body = static_cast<FormEditor*>(window->projectTab().bodyEditor);
  const auto select = [this](int row) {
    window->projectTab().topicListView->setCurrentIndex(
        window->projectTab().topicListView->model()->index(row, 0));
  };
  select(1);
  select(0);
  EXPECT_EQ(ShownText(*body), "Alpha\nBeta");
  ASSERT_NE(ProgramView(*body), nullptr);
  EXPECT_TRUE(ProgramView(*body)->isVisibleTo(window.get()));
  EXPECT_TRUE(body->toPlainText().isEmpty());
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  // The list takes the editor's place in the focus order, and Tab leaves it to the next field.
  body->setFocus();
  EXPECT_TRUE(ProgramView(*body)->hasFocus());
  QTest::keyClick(ProgramView(*body), Qt::Key_Tab);
  EXPECT_TRUE(window->projectTab().exampleEditor->hasFocus())
      << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClick(window->projectTab().exampleEditor, Qt::Key_Tab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(ProgramView(*body)->hasFocus())
      << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClick(ProgramView(*body), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(window->projectTab().summaryEditor->hasFocus())
      << QApplication::focusWidget()->objectName().toStdString();
  body->setFocus();
  select(2);
  // Back on a page for typing: the focus, the spelling and the unsaved mark follow what is
  // typed there.
  EXPECT_FALSE(body->isReadOnly());
  EXPECT_FALSE(ProgramView(*body)->isVisibleTo(window.get()));
  auto* highlighter = body->findChild<SpellHighlighter*>();
  ASSERT_NE(highlighter, nullptr);
  EXPECT_EQ(highlighter->document(), body->document());
  QTest::keyClicks(QApplication::focusWidget(), "more");
  EXPECT_TRUE(window->windowTitle().endsWith(" *")) << window->windowTitle().toStdString();
  EXPECT_EQ(ShownText(*body), "more");
  EXPECT_TRUE(project.FindTopic("Beta")->body.empty());
  // A move changes the list: the Index page shows the new one, never the kept one.
  window->projectTab().moveUpButton->click();
  select(0);
  EXPECT_EQ(ShownText(*body), "Beta\nAlpha");
  EXPECT_EQ(project.FindTopic("Beta")->body, "more");
}

TEST_F(WiredTest, aLongFunctionsListScrollsToItsLastNameAndCopiesAsLines) {
  std::vector<std::string> names = {"Index"};
  for (int i = 0; i < 1000; ++i) names.push_back("Function" + std::to_string(i));
  project = testsupport::MakeProject(names);
  project.RemakeLists();
  ui->RefreshTopicList();
  window->show();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  QApplication::processEvents();
  QPlainTextEdit* view = ProgramView(*static_cast<FormEditor*>(window->projectTab().bodyEditor));
  ASSERT_NE(view, nullptr);
  // The scroll bar counts every line from the start, not only those already shown.
  QScrollBar* bar = view->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 1000 - 40);
  bar->setValue(bar->maximum());
  QApplication::processEvents();
  const QTextCursor last = view->cursorForPosition(QPoint(5, view->viewport()->height() - 8));
  EXPECT_EQ(last.block().text().split(QChar::LineSeparator).last(), "Function999");
  // What is copied is lines, as the list is written.
  view->selectAll();
  view->copy();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied.count('\n'), 999);
  EXPECT_FALSE(copied.contains(QChar::LineSeparator));
  EXPECT_TRUE(copied.startsWith("Function0\nFunction1\n"));
}

TEST_F(WiredTest, showingAnotherKindOfPageRepaintsTheFormNotTheWindow) {
  project = testsupport::MakeProject({"Index", "Alpha", "Beta"});
  project.RemakeLists();
  ASSERT_TRUE(project::AddUserTopic(project, "Notes").added);
  const int notes = project.selectedRow();
  ui->RefreshTopicList();
  window->show();
  const auto select = [this](int row) {
    window->projectTab().topicListView->setCurrentIndex(
        window->projectTab().topicListView->model()->index(row, 0));
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  };
  select(1);
  struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      paints += event->type() == QEvent::Paint;
      return false;
    }
  } outside;
  window->projectTab().projectFileField->installEventFilter(&outside);
  // The captions change ("Syntax" to "Overview", "Description" to "Index"), which lays out
  // the form again: the fields of the project around it stay as they were painted.
  select(0);
  select(1);
  EXPECT_EQ(window->projectTab().bodyLabel->title(), "Description");
  // A user topic's page has no example: its editor folds away and the form asks for less room.
  select(notes);
  EXPECT_EQ(window->projectTab().exampleEditor->height(), 0);
  select(1);
  EXPECT_EQ(outside.paints, 0);
  // What the panel places itself still follows a change: a longer tab caption gets its room.
  const int before = window->mainPanel()->tabBar()->width();
  window->mainPanel()->setTabText(1, "&Options of this program and of its help files");
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  EXPECT_GT(window->mainPanel()->tabBar()->width(), before);
  EXPECT_GE(window->mainPanel()->tabBar()->width(),
            window->mainPanel()->tabBar()->sizeHint().width());
}

TEST_F(WiredTest, aCompilerPathThatIsNoUtf8KeepsItsBytesUntilItIsEdited) {
  const std::string latin1Path = "/opt/h\xE9lp/chmcmd";
  ui->SetCompilerPath(latin1Path);
  EXPECT_EQ(ui->CompilerPath(), latin1Path);
  window->optionsTab().compilerPathField->setText("/usr/bin/chmcmd");
  EXPECT_EQ(ui->CompilerPath(), "/usr/bin/chmcmd");
}

TEST_F(WiredTest, tagButtonsInsertAtTheCaretOfTheEditorTouchedLast) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  window->projectTab().tagButtons[0]->click();
  EXPECT_EQ(window->projectTab().bodyEditor->toPlainText(), "");
  window->projectTab().bodyEditor->setFocus();
  QTest::keyClicks(window->projectTab().bodyEditor, "word");
  window->projectTab().tagButtons[0]->click();
  window->projectTab().tagButtons[1]->click();
  EXPECT_EQ(window->projectTab().bodyEditor->toPlainText(), "word<b></b>");

  // A selection is wrapped by either tag of a pair, and one undo takes the wrap back.
  window->projectTab().bodyEditor->setPlainText("one two three");
  QTextCursor cursor = window->projectTab().bodyEditor->textCursor();
  cursor.setPosition(4);
  cursor.setPosition(7, QTextCursor::KeepAnchor);
  window->projectTab().bodyEditor->setTextCursor(cursor);
  window->projectTab().tagButtons[3]->click();
  EXPECT_EQ(window->projectTab().bodyEditor->toPlainText(), "one <u>two</u> three");
  EXPECT_EQ(window->projectTab().bodyEditor->textCursor().position(), 14);
  window->projectTab().bodyEditor->undo();
  EXPECT_EQ(window->projectTab().bodyEditor->toPlainText(), "one two three");

  // The syntax line and the Index page's functions list are the program's: a tag goes
  // nowhere there, and nothing reaches the stored topic.
  window->projectTab().summaryEditor->setFocus();
  window->projectTab().summaryEditor->selectAll();
  window->projectTab().tagButtons[4]->click();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  window->projectTab().bodyEditor->setFocus();
  window->projectTab().bodyEditor->selectAll();
  window->projectTab().tagButtons[0]->click();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  EXPECT_EQ(project.FindTopic("F1")->summary.find('<'), std::string::npos);
  EXPECT_EQ(project.Body(0).find('<'), std::string::npos);
}

// "Examples are code" colours the Example editor as the pages colour the code, as it is typed;
// switching it is no typing, and the tag buttons leave the example alone meanwhile.
TEST_F(WiredTest, examplesAsCodeColoursTheExampleEditorAndKeepsTheTagsOut) {
  project = testsupport::MakeProject({"Index", "F1"});
  project.FindTopic("F1")->example = "If a<b ; note";
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  QPlainTextEdit* example = window->projectTab().exampleEditor;
  ASSERT_EQ(example->toPlainText(), "If a<b ; note");
  const auto formats = [example](int block) {
    return example->document()->findBlockByNumber(block).layout()->formats();
  };
  EXPECT_TRUE(formats(0).isEmpty());

  window->optionsTab().examplesAsCodeCheckBox->setChecked(true);
  EXPECT_FALSE(state.formEdited);
  auto line = formats(0);
  ASSERT_EQ(line.size(), 2);
  EXPECT_EQ(std::make_pair(line[0].start, line[0].length), std::make_pair(0, 2));
  EXPECT_EQ(line[0].format.foreground().color(), QColor("#006666"));
  EXPECT_EQ(line[0].format.fontWeight(), QFont::Bold);
  EXPECT_EQ(std::make_pair(line[1].start, line[1].length), std::make_pair(7, 6));
  EXPECT_EQ(line[1].format.foreground().color(), QColor("#00AAAA"));

  example->setFocus();
  QTest::keyClick(example, Qt::Key_End, Qt::ControlModifier);
  example->insertPlainText(QString::fromUtf8("\n\xC3\xA9 = #Max"));
  line = formats(1);
  ASSERT_EQ(line.size(), 1);
  EXPECT_EQ(std::make_pair(line[0].start, line[0].length), std::make_pair(4, 4));
  EXPECT_EQ(line[0].format.foreground().color(), QColor("#924B72"));
  window->projectTab().tagButtons[0]->click();
  EXPECT_EQ(example->toPlainText(), QString::fromUtf8("If a<b ; note\n\xC3\xA9 = #Max"));

  window->optionsTab().examplesAsCodeCheckBox->setChecked(false);
  EXPECT_TRUE(formats(0).isEmpty());
  EXPECT_TRUE(formats(1).isEmpty());
  // Like every option, the switch forgot the editor: typing there names it again.
  example->insertPlainText(" ");
  window->projectTab().tagButtons[0]->click();
  EXPECT_EQ(example->toPlainText(), QString::fromUtf8("If a<b ; note\n\xC3\xA9 = #Max <b>"));
}

// The entry chosen in the topic list's popup menu reaches the command it names, after the
// menu has closed: here "Add user index", whose name prompt then runs its own loop.
TEST_F(WiredTest, aPopupMenuEntryRunsItsCommandOnceTheMenuHasClosed) {
  project = testsupport::MakeProject({"Index", "F1", "F2"});
  ui->RefreshTopicList();
  TopicListView* list = window->projectTab().topicListView;
  QStringList offered;
  auto* chooser = new QTimer(window.get());
  QObject::connect(chooser, &QTimer::timeout, chooser, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    chooser->stop();
    for (QAction* action : menu->actions()) offered << action->text();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[1]).center());
  });
  chooser->start(20);
  uitest::WhenModal<QDialog>("AskText", [](QDialog* prompt) {
    auto* field = prompt->findChild<QLineEdit*>();
    field->setText("Group");
    QTest::keyClick(field, Qt::Key_Return);
  });
  const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
  QApplication::sendEvent(list->viewport(), &click);
  EXPECT_EQ(offered, (QStringList{"Add user topic", "Add user index", "Delete item 'F1'"}));
  ASSERT_TRUE(uitest::WaitFor([&] { return project.ItemCount() == 4; }, 10));
  EXPECT_EQ(testsupport::RowTexts(project),
            (std::vector<std::string>{"Index", "Group", "F1", "F2"}));
  EXPECT_EQ(window->projectTab().titleField->text(), "Group");
}

// The name prompt answers with its text only through "Ok" or Return; "Cancel" and Escape add
// nothing, whatever was typed.
TEST_F(WiredTest, theNamePromptAddsThroughOkOrReturnAndNothingThroughCancelOrEscape) {
  project = testsupport::MakeProject({"Index", "F1", "License*"});
  ui->RefreshTopicList();
  const struct {
    const char* how;
    std::function<void(QDialog*)> answer;
    bool adds;
  } cases[] = {
      {"Ok", [](QDialog* p) { p->findChild<QPushButton*>("AskTextOk")->click(); }, true},
      {"Return", [](QDialog* p) { QTest::keyClick(p->findChild<QLineEdit*>(), Qt::Key_Return); },
       true},
      {"Cancel", [](QDialog* p) { p->findChild<QPushButton*>("AskTextCancel")->click(); }, false},
      {"Escape", [](QDialog* p) { QTest::keyClick(p->findChild<QLineEdit*>(), Qt::Key_Escape); },
       false},
  };
  for (const auto& c : cases) {
    const std::size_t before = project.ItemCount();
    const QString name = QString("Notes by ") + c.how;
    QStringList buttons;
    uitest::WhenModal<QDialog>("AskText", [&](QDialog* prompt) {
      for (const QPushButton* button : prompt->findChildren<QPushButton*>()) {
        // Both fit beside the field, in the prompt's fixed size.
        EXPECT_TRUE(prompt->rect().contains(button->geometry())) << c.how;
        buttons << button->text();
      }
      prompt->findChild<QLineEdit*>()->setText(name);
      c.answer(prompt);
    });
    commands->page.AddUserTopic();
    EXPECT_EQ(buttons, (QStringList{"Ok", "Cancel"})) << c.how;
    EXPECT_EQ(project.ItemCount(), before + (c.adds ? 1 : 0)) << c.how;
    EXPECT_EQ(project.FindTopic(name.toStdString()) != nullptr, c.adds) << c.how;
  }
}

TEST_F(WiredTest, firstRunOffersEnglishAloneAndDisablesTheLanguageControls) {
  app::FinishStart(*context, "");
  EXPECT_EQ(window->optionsTab().languageList->count(), 1);
  EXPECT_EQ(window->optionsTab().languageList->currentText(), "English");
  EXPECT_FALSE(window->optionsTab().languageList->isEnabled());
  for (QLineEdit* field : window->optionsTab().headingFields) EXPECT_FALSE(field->isEnabled());
  EXPECT_TRUE(window->projectTab().loadProjectButton->hasFocus() || !window->isActiveWindow());
}

TEST_F(WiredTest, startUpMaximisesAndShowsTheProjectNamedOnTheCommandLine) {
  {
    std::ofstream ini(settings.filePath("QuillSmith.ini").toStdString(), std::ios::binary);
    ini << "[Options]\r\nMaximised = 1\r\n";
  }
  project::HelpProject saved = testsupport::MakeProject({"Index", "F1", "License*"});
  saved.FindTopic("Index")->title = "MyLib library";
  text::Reports reports;
  const std::string path = settings.filePath("demo.qsp").toStdString();
  ASSERT_TRUE(project::SaveProject(saved, path, reports));

  app::FinishStart(*context, path);
  QApplication::processEvents();
  EXPECT_TRUE(window->isMaximized());
  EXPECT_EQ(window->projectTab().projectFileField->text().toStdString(), path);
  EXPECT_EQ(window->projectTab().topicListView->model()->rowCount(), 3);
  EXPECT_EQ(window->projectTab().titleField->text(), "MyLib library");
  EXPECT_EQ(window->projectTab().topicListView->currentIndex().data().toString(), "Index");
  // Nothing is unsaved yet, nor after looking at the pages.
  EXPECT_EQ(window->windowTitle(), "QuillSmith [Fast Builder] - demo.qsp");
  for (int row : {1, 0, 2, 0}) {
    window->projectTab().topicListView->setCurrentIndex(
        window->projectTab().topicListView->model()->index(row, 0));
  }
  EXPECT_EQ(window->windowTitle(), "QuillSmith [Fast Builder] - demo.qsp");
}

TEST_F(WiredTest, aQuestionThatWouldDiscardTextDefaultsToCancel) {
  const text::Report question{"WARNING", "Continue ?", text::ReportIcon::Exclamation};
  // Enter takes the default button, Esc cancels; only OK itself answers yes.
  uitest::WhenModal<QMessageBox>("",
                                 [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
  EXPECT_FALSE(ui->AskOkCancel(question));
  uitest::WhenModal<QMessageBox>("",
                                 [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_FALSE(ui->AskOkCancel(question));
  uitest::WhenModal<QMessageBox>("",
                                 [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
  EXPECT_TRUE(ui->AskOkCancel(question));
}

TEST_F(WiredTest, formTakesTypingOnlyWhileItShowsATopic) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  // Nothing shown: typing has nowhere to go, so the form takes none.
  QTest::keyClicks(window->projectTab().titleField, "lost");
  EXPECT_EQ(window->projectTab().titleField->text(), "");

  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  EXPECT_TRUE(window->formActive());
  window->projectTab().titleField->setFocus();
  QTest::keyClicks(window->projectTab().titleField, " kept");
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  EXPECT_EQ(project.FindTopic("F1")->title, "F1 kept");

  // Emptied as a new project empties it, the form is out of use again.
  ui->ClearForm();
  EXPECT_FALSE(window->formActive());
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  EXPECT_TRUE(window->formActive());
  // The shown topic is gone from the project, as after an extraction that removed it.
  project.ClearTopics();
  ui->RefreshTopicList();
  EXPECT_FALSE(window->formActive());
}

TEST_F(WiredTest, tabWalksTheProjectTabInItsOrderAndTheExampleTakesTabs) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->projectTab().projectFileField->setFocus();
  const std::vector<QWidget*> order = {
      window->projectTab().projectFileField,       window->projectTab().libraryFileField,
      window->projectTab().helpFolderField,        window->projectTab().showHelpButton,
      window->projectTab().browseLibraryButton,    window->projectTab().createHelpFolderButton,
      window->projectTab().browseHelpFolderButton, window->projectTab().newProjectButton,
      window->projectTab().loadProjectButton,      window->projectTab().recentProjectsButton,
      window->projectTab().saveProjectButton,      window->projectTab().previewButton,
      window->projectTab().previewAllButton,       window->projectTab().createHtmlButton,
      window->projectTab().moveUpButton,           window->projectTab().moveDownButton,
      window->projectTab().topicFilterField,       window->projectTab().topicListView,
      window->projectTab().extractButton,          window->projectTab().titleField,
      window->projectTab().summaryEditor,          window->projectTab().bodyEditor,
      window->projectTab().exampleEditor};
  for (std::size_t i = 1; i < order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), order[i]) << "step " << i;
  }
  // In the example Tab types a tab; Ctrl+Tab leaves, without switching the tab page.
  QTest::keyClicks(window->projectTab().exampleEditor, "If a");
  QTest::keyClick(window->projectTab().exampleEditor, Qt::Key_Tab);
  QTest::keyClicks(window->projectTab().exampleEditor, "b");
  EXPECT_EQ(window->projectTab().exampleEditor->toPlainText(), "If a\tb");
  EXPECT_EQ(QApplication::focusWidget(), window->projectTab().exampleEditor);
  QTest::keyClick(window->projectTab().exampleEditor, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_NE(QApplication::focusWidget(), window->projectTab().exampleEditor);
  EXPECT_EQ(window->mainPanel()->currentIndex(), 0);
  window->projectTab().exampleEditor->setFocus();
  QTest::keyClick(window->projectTab().exampleEditor, Qt::Key_Backtab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->projectTab().bodyEditor);
  // Shift+Tab goes back from an editor as well.
  QTest::keyClick(window->projectTab().bodyEditor, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->projectTab().summaryEditor);
}

TEST_F(WindowTest, menuKeyAndShiftF10AskForThePopupAtTheSelectedRowAsARightClickDoes) {
  TopicListView* list = window->projectTab().topicListView;
  project::HelpProject rows = testsupport::MakeProject({"Index", "F1", "F2"});
  TopicListModel model(rows);
  window->setTopicModel(&model);
  QSignalSpy spy(window.get(), &MainWindow::topicListEvent);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  list->setFocus();
  // Nothing selected: no menu.
  QTest::keyClick(list, Qt::Key_Menu);
  EXPECT_EQ(spy.count(), 0);

  list->setCurrentIndex(list->model()->index(1, 0));
  spy.clear();
  QTest::keyClick(list, Qt::Key_Menu);
  QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_EQ(spy.count(), 2);
  for (const QList<QVariant>& event : spy) {
    EXPECT_EQ(event[0].toInt(), 1);
    EXPECT_TRUE(event[1].toBool());
  }
  // The menu opens below the row, inside the list.
  const QRect row = list->visualRect(list->model()->index(1, 0));
  const QPoint at = list->viewport()->mapFromGlobal(window->topicMenuPosition());
  EXPECT_TRUE(list->viewport()->rect().contains(at));
  EXPECT_NEAR(at.y(), row.bottom(), 1);

  // A system's own menu request from the keyboard adds no second menu; a right click on a row
  // selects it and asks for the menu there.
  spy.clear();
  QContextMenuEvent byKey(QContextMenuEvent::Keyboard, row.center(),
                          list->viewport()->mapToGlobal(row.center()));
  QApplication::sendEvent(list, &byKey);
  EXPECT_EQ(spy.count(), 0);
  const QRect third = list->visualRect(list->model()->index(2, 0));
  QContextMenuEvent byMouse(QContextMenuEvent::Mouse, third.center(),
                            list->viewport()->mapToGlobal(third.center()));
  QApplication::sendEvent(list->viewport(), &byMouse);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy[0][0].toInt(), 2);
  EXPECT_TRUE(spy[0][1].toBool());
  EXPECT_EQ(list->currentIndex().row(), 2);
}

// Every button answers to Alt and a key of its own: its underlined letter, or for a button
// whose face shows no word the key its tooltip names. No two controls of a tab page, and no
// control and a tab, share a key.
TEST_F(WindowTest, everyButtonHasAnAltKeyOfItsOwnOnItsTabPage) {
  window->setFormActive(true);
  for (int page = 0; page < window->mainPanel()->count(); ++page) {
    window->mainPanel()->setCurrentIndex(page);
    QApplication::processEvents();
    std::map<QString, QString> taken;
    auto take = [&](const QKeySequence& key, const QString& owner) {
      const QString text = key.toString();
      EXPECT_TRUE(taken.emplace(text, owner).second)
          << text.toStdString() << ": " << owner.toStdString() << " and "
          << taken[text].toStdString();
    };
    for (int tab = 0; tab < window->mainPanel()->count(); ++tab) {
      take(QKeySequence::mnemonic(window->mainPanel()->tabText(tab)),
           "tab " + QString::number(tab));
    }
    // The menu bar's titles are on every page.
    for (QAction* menu : window->menuBar()->actions()) {
      ASSERT_FALSE(QKeySequence::mnemonic(menu->text()).isEmpty()) << menu->text().toStdString();
      take(QKeySequence::mnemonic(menu->text()), "menu " + menu->text());
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
      // A caption without a key only names its control to a screen reader.
      if (label->buddy() != nullptr && label->isVisibleTo(window.get()) &&
          !QKeySequence::mnemonic(label->text()).isEmpty()) {
        take(QKeySequence::mnemonic(label->text()), label->text());
      }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      if (!button->isVisibleTo(window.get()) || qobject_cast<QTabBar*>(button->parent())) continue;
      const QString owner = button->objectName() + " " + button->text();
      ASSERT_EQ(button->shortcut().count(), 1) << owner.toStdString();
      EXPECT_TRUE(button->shortcut()[0].keyboardModifiers() & Qt::AltModifier)
          << owner.toStdString();
      take(button->shortcut(), owner);
    }
  }
  // The keys work: a word's letter, a glyph's key, a closing tag's Shift, a tab's letter.
  window->mainPanel()->setCurrentIndex(0);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QSignalSpy newProject(window->projectTab().newProjectButton, &QPushButton::clicked);
  QSignalSpy browse(window->projectTab().browseLibraryButton, &QPushButton::clicked);
  QSignalSpy boldEnd(window->projectTab().tagButtons[1], &QPushButton::clicked);
  QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
  QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
  QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_TRUE(newProject.wait(1000) || newProject.count() == 1);
  EXPECT_TRUE(browse.count() == 1 || browse.wait(1000));
  EXPECT_TRUE(boldEnd.count() == 1 || boldEnd.wait(1000));
  QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(window->mainPanel()->currentIndex(), 1);

  // Within each menu every item has a letter of its own.
  for (QAction* title : window->menuBar()->actions()) {
    std::vector<QMenu*> menus = {title->menu()};
    for (std::size_t m = 0; m < menus.size(); ++m) {
      std::map<QString, QString> letters;
      for (QAction* item : menus[m]->actions()) {
        if (item->isSeparator()) continue;
        if (item->menu() != nullptr) menus.push_back(item->menu());
        const QString letter = QKeySequence::mnemonic(item->text()).toString();
        EXPECT_FALSE(letter.isEmpty()) << item->text().toStdString();
        EXPECT_TRUE(letters.emplace(letter, item->text()).second)
            << item->text().toStdString() << " and " << letters[letter].toStdString();
      }
    }
  }
}

// A button's key clicks it before the key press has been handled, as a mouse click acts on
// its release: every button of both tab pages (a drop-down's menu aside, which opens on the
// press anyway), a check box toggled, and the button then shows pressed for a moment. A mouse
// press during that moment still makes a click of its own.
TEST_F(WindowTest, everyButtonKeyActsAtOnceAndTheButtonThenShowsPressed) {
  window->setFormActive(true);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  int tried = 0;
  QAbstractButton* last = nullptr;
  for (int page = 0; page < window->mainPanel()->count(); ++page) {
    window->mainPanel()->setCurrentIndex(page);
    QApplication::processEvents();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      const auto* tool = qobject_cast<QToolButton*>(button);
      if (!button->isVisibleTo(window.get()) || !button->isEnabled() ||
          button->shortcut().isEmpty() || (tool != nullptr && tool->menu() != nullptr)) {
        continue;
      }
      const std::string owner = (button->objectName() + " " + button->text()).toStdString();
      const QKeyCombination key = button->shortcut()[0];
      const bool wasChecked = button->isChecked();
      QSignalSpy clicked(button, &QAbstractButton::clicked);
      QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
      EXPECT_EQ(clicked.count(), 1) << owner;
      EXPECT_EQ(button->isChecked(), button->isCheckable() ? !wasChecked : false) << owner;
      EXPECT_TRUE(button->isDown()) << owner;
      last = button;
      ++tried;
    }
  }
  EXPECT_GE(tried, 20);
  ASSERT_NE(last, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([last] { return !last->isDown(); }, 2000));

  // Pressed by the mouse while it still shows pressed, and released after that moment.
  window->mainPanel()->setCurrentIndex(0);
  QPushButton* up = window->projectTab().moveUpButton;
  QSignalSpy clicks(up, &QPushButton::clicked);
  QTest::keyClick(window.get(), Qt::Key_Up, Qt::AltModifier);
  QTest::mousePress(up, Qt::LeftButton);
  QTest::qWait(3 * PromptButtonKeys::kPressedLook);
  EXPECT_TRUE(up->isDown());
  QTest::mouseRelease(up, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_FALSE(up->isDown());
}

// The command of a key has run once the key press is handled: Alt+Down has moved the topic.
// The menus offer what the commands would do, as the author moves about: deleting a page by
// Del and taking it back through the Edit menu, which names the change; the moves, the
// previews and the tags only where they act; undo inside a field is the field's.
TEST_F(WiredTest, menusOfferWhatWouldActAndUndoNamesItsChange) {
  MainMenus& m = window->menus();
  auto open = [&m](QMenu* menu) { emit menu->aboutToShow(); };
  project = testsupport::MakeProject({"Index", "Alpha", "Beta"});
  ui->RefreshTopicList();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  open(m.viewMenu);
  EXPECT_FALSE(m.preview->isEnabled()) << "nothing shown yet";
  open(m.editMenu);
  EXPECT_FALSE(m.undo->isEnabled());
  EXPECT_EQ(m.undo->text(), "&Undo");

  window->projectTab().topicListView->setFocus();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(0, 0));
  open(m.pageMenu);
  EXPECT_FALSE(m.deletePage->isEnabled()) << "the Index page is never deleted";
  EXPECT_FALSE(m.moveUp->isEnabled() || m.moveDown->isEnabled());
  EXPECT_TRUE(m.preview->isEnabled());
  QTest::keyClick(window->projectTab().topicListView, Qt::Key_Delete);
  EXPECT_EQ(project.ItemCount(), 3u);

  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(2, 0));
  open(m.pageMenu);
  EXPECT_TRUE(m.deletePage->isEnabled() && m.moveUp->isEnabled());
  EXPECT_FALSE(m.moveDown->isEnabled()) << "the last row";
  for (QAction* tag : m.tags) EXPECT_FALSE(tag->isEnabled()) << "no editor has the focus";
  EXPECT_FALSE(m.insertLink->isEnabled() || m.insertPicture->isEnabled());
  // While the filter narrows the list the moves wait, in the menu as on the buttons.
  window->projectTab().topicFilterField->setText("a");
  open(m.pageMenu);
  EXPECT_FALSE(m.moveUp->isEnabled());
  window->projectTab().topicFilterField->clear();

  window->projectTab().topicListView->setFocus();
  QTest::keyClick(window->projectTab().topicListView, Qt::Key_Delete);
  EXPECT_EQ(testsupport::RowTexts(project), (std::vector<std::string>{"Index", "Alpha"}));
  open(m.editMenu);
  EXPECT_EQ(m.undo->text(), "&Undo delete 'Beta'");
  m.undo->trigger();
  EXPECT_EQ(testsupport::RowTexts(project), (std::vector<std::string>{"Index", "Alpha", "Beta"}));
  open(m.editMenu);
  EXPECT_EQ(m.redo->text(), "&Redo delete 'Beta'");
  EXPECT_FALSE(m.undo->isEnabled());

  // In a field, undo, redo and the clipboard are the field's.
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  QPlainTextEdit* body = window->projectTab().bodyEditor;
  body->setFocus();
  const QString before = body->toPlainText();
  QTest::keyClicks(body, "typed");
  open(m.editMenu);
  EXPECT_EQ(m.undo->text(), "&Undo typing in Alpha");
  EXPECT_FALSE(m.redo->isEnabled()) << "the project's redo is not the field's";
  EXPECT_FALSE(m.copy->isEnabled());
  EXPECT_TRUE(m.selectAll->isEnabled());
  m.selectAll->trigger();
  open(m.editMenu);
  EXPECT_TRUE(m.cut->isEnabled() && m.copy->isEnabled());
  m.undo->trigger();
  EXPECT_EQ(body->toPlainText(), before);
  EXPECT_EQ(testsupport::RowTexts(project), (std::vector<std::string>{"Index", "Alpha", "Beta"}));
  open(m.pageMenu);
  for (QAction* tag : m.tags) EXPECT_TRUE(tag->isEnabled());
  m.tags[0]->trigger();
  EXPECT_TRUE(body->toPlainText().contains("<b>"));
  // A link goes where a tag goes; the dialog takes a page's name in any letter case.
  EXPECT_TRUE(m.insertLink->isEnabled() && m.insertPicture->isEnabled());
  EXPECT_EQ(m.insertLink->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
  uitest::WhenModal<LinkDialog>("LinkDialog", [](LinkDialog* dialog) {
    dialog->field()->setText("beta");
    dialog->buttons()->button(QDialogButtonBox::Ok)->click();
  });
  m.insertLink->trigger();
  EXPECT_TRUE(body->toPlainText().contains("<a href=\"Beta.html\">Beta</a>"))
      << body->toPlainText().toStdString();
}

TEST_F(WiredTest, altDownHasMovedTheTopicOnceTheKeyIsHandled) {
  project = testsupport::MakeProject({"Index", "Alpha", "Beta", "Gamma"});
  ui->RefreshTopicList();
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(1, 0));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const std::string moving = project.ItemText(1);
  QTest::keyClick(window.get(), Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(project.ItemText(2), moving);
  QTest::keyClick(window.get(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(project.ItemText(1), moving);
}

// The drop-down beside "Load Project" offers the recent projects by number; one whose file is
// gone is shown disabled with its path, and choosing one hands over its path as given.
TEST_F(WindowTest, recentProjectsDropDownOffersTheListAndShowsAMissingFileDisabled) {
  QTemporaryDir folder;
  const std::string here = folder.filePath("R&D.qsp").toStdString();
  const std::string gone = folder.filePath("Gone.qsp").toStdString();
  std::ofstream(here) << "x";
  QMenu* menu = window->projectTab().recentProjectsButton->menu();
  ASSERT_NE(menu, nullptr);
  auto open = [&] {
    menu->popup(window->projectTab().recentProjectsButton->mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    const QList<QAction*> actions = menu->actions();
    menu->close();
    return actions;
  };

  QList<QAction*> actions = open();
  ASSERT_EQ(actions.size(), 1);
  EXPECT_FALSE(actions[0]->isEnabled());

  window->setRecentProjects({here, gone});
  actions = open();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->text(), "&1  " + QString::fromStdString(here).replace("&", "&&"));
  EXPECT_TRUE(actions[0]->isEnabled());
  EXPECT_EQ(actions[1]->text(), "&2  " + QString::fromStdString(gone));
  EXPECT_FALSE(actions[1]->isEnabled());
  EXPECT_FALSE(actions[1]->toolTip().isEmpty());

  QSignalSpy chosen(window.get(), &MainWindow::recentProjectChosen);
  actions[0]->trigger();
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].value<std::string>(), here);

  // File > Open recent offers the same projects and loads the one chosen.
  QMenu* fileRecent = window->menus().recentMenu;
  emit fileRecent->aboutToShow();
  ASSERT_EQ(fileRecent->actions().size(), 2);
  EXPECT_EQ(fileRecent->actions()[1]->text(), actions[1]->text());
  EXPECT_FALSE(fileRecent->actions()[1]->isEnabled());
  fileRecent->actions()[0]->trigger();
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen[1][0].value<std::string>(), here);

  // The file is looked for each time the menu opens.
  std::filesystem::remove(here);
  EXPECT_FALSE(open()[0]->isEnabled());

  // Alt+Shift+L opens it from the keyboard.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  bool opened = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QApplication::activePopupWidget() == menu) {
      opened = true;
      menu->close();
    }
  });
  closer.start(20);
  QTest::keyClick(window.get(), Qt::Key_L, Qt::AltModifier | Qt::ShiftModifier);
  QTest::qWait(100);
  EXPECT_TRUE(opened);
}

// The tabs' frames have dark green captions; the colour stays with the caption and reaches
// neither the frames inside (the page title) nor the controls (the path captions).
TEST_F(WindowTest, frameCaptionsAloneAreDarkGreen) {
  auto greenPixels = [](QWidget* control, QRect part) {
    const QImage image = control->grab(part).toImage();
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        green += c.green() > c.red() + 40 && c.green() > c.blue() + 40;
      }
    }
    return green;
  };
  QGroupBox* files = window->projectTab().filesFrame;
  const int captionHeight = files->fontMetrics().height();
  EXPECT_GT(greenPixels(files, QRect(0, 0, files->width(), captionHeight)), 10);
  for (QWidget* plain : std::initializer_list<QWidget*>{
           window->projectTab().titleLabel,
           window->projectTab().findChild<QLabel*>(QString(), Qt::FindChildrenRecursively)}) {
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(greenPixels(plain, plain->rect()), 0) << plain->objectName().toStdString();
  }
}

// The keyboard focus shows as a strong frame around the list and around each kind of button,
// whatever their style sheets draw.
TEST_F(WindowTest, keyboardFocusIsFramedOnTheListAndTheButtons) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (QWidget* control : std::initializer_list<QWidget*>{
           window->projectTab().topicListView, window->projectTab().newProjectButton,
           window->projectTab().browseLibraryButton, window->projectTab().moveUpButton,
           window->projectTab().extractButton}) {
    window->projectTab().projectFileField->setFocus();
    QApplication::processEvents();
    const QImage plain = control->grab().toImage();
    control->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(control->hasFocus());
    const QImage framed = control->grab().toImage();
    // The frame runs round the whole control: its four edges change.
    int changedEdgePixels = 0;
    const int w = plain.width(), h = plain.height();
    for (int x = 0; x < w; ++x) {
      for (int y : {0, 1, h - 2, h - 1})
        changedEdgePixels += plain.pixel(x, y) != framed.pixel(x, y);
    }
    for (int y = 0; y < h; ++y) {
      for (int x : {0, 1, w - 2, w - 1})
        changedEdgePixels += plain.pixel(x, y) != framed.pixel(x, y);
    }
    EXPECT_GT(changedEdgePixels, w + h) << control->objectName().toStdString();
  }
}

// Each button kind shows its face: filled with its colour, darker while pressed; a thin grey
// frame round a flat button, an outset edge round a raised one (lighter above than below); a
// grey caption while disabled.
TEST_F(WindowTest, buttonFacesShowTheirFillFramePressAndDisabledCaption) {
  const QColor frame(160, 160, 160);
  const QColor raisedEdge = controls::kGrey212.lighter(112);
  struct Face {
    QPushButton* button;
    QColor fill, top, bottom;
  };
  for (const Face& face :
       {Face{window->projectTab().newProjectButton, controls::kGrey212, frame, frame},
        Face{window->projectTab().moveUpButton, controls::kGrey154, frame, frame},
        Face{window->projectTab().browseLibraryButton, controls::kGrey212, raisedEdge.lighter(),
             raisedEdge}}) {
    QPushButton* button = face.button;
    const std::string name = button->objectName().toStdString();
    button->setEnabled(true);
    const QImage image = button->grab().toImage();
    const int w = image.width(), h = image.height();
    EXPECT_EQ(image.pixel(3, h / 2), face.fill.rgb()) << name;
    EXPECT_EQ(image.pixel(w / 2, 0), face.top.rgb()) << name;
    EXPECT_EQ(image.pixel(w / 2, h - 1), face.bottom.rgb()) << name;
    button->setDown(true);
    EXPECT_EQ(button->grab().toImage().pixel(3, h / 2), face.fill.darker(118).rgb()) << name;
    button->setDown(false);
  }
  // The darkest ink of a disabled caption is its grey.
  QPushButton* save = window->projectTab().saveProjectButton;
  save->setEnabled(false);
  const QImage disabled = save->grab().toImage();
  int darkest = 255;
  for (int y = 3; y < disabled.height() - 3; ++y) {
    for (int x = 7; x < disabled.width() - 7; ++x) {
      darkest = std::min(darkest, disabled.pixelColor(x, y).red());
    }
  }
  EXPECT_EQ(darkest, 150);
}

TEST(CaseInsensitiveFiles, pagesAreFoundWhateverTheirLetterCase) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("Sub");
  std::ofstream(QDir(dir.path()).filePath("Sub/Index.html").toStdString()) << "x";
  EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "/sub/index.HTML"),
            dir.path() + "/Sub/Index.html");
  EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "/Sub/Index.html"),
            dir.path() + "/Sub/Index.html");
  EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "/Sub/Missing.html"),
            dir.path() + "/Sub/Missing.html");
}

TEST(GuardedApplication, aCommandThatRunsOutOfMemoryIsToldAndTheProgramGoesOn) {
  auto* application = static_cast<GuardedApplication*>(QApplication::instance());
  std::vector<text::Report> told;
  application->setReportHandler([&told](const text::Report& report) { told.push_back(report); });
  QPushButton button("Build");
  int runs = 0;
  QObject::connect(&button, &QPushButton::clicked, [&runs] {
    ++runs;
    throw std::bad_alloc();
  });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(runs, 2);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0], text::ErrorReport("Memory allocation problem!"));
}

}  // namespace

// The run of the program that unsavedwork_test.cpp kills; -1 when this process is none.
int RunUntilKilled();

}  // namespace qs::ui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qs::ui::GuardedApplication application(argc, argv);
  if (const int killed = qs::ui::RunUntilKilled(); killed >= 0) return killed;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
