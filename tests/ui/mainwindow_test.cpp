// The real main window under the offscreen platform: layout on resize, the splitter, the
// shortcuts, the form per kind of page, the language list, and start-up with real files.

#include "ui/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>

#include "app/commands.h"
#include "app/coreservices.h"
#include "app/lifecycle.h"
#include "modaldriver.h"
#include "project/projectfile.h"
#include "support/projectfixture.h"
#include "ui/caseinsensitivefiles.h"
#include "ui/qtui.h"
#include "ui/wiring.h"
#include "version/version.h"

namespace qs::ui {
namespace {

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

TEST_F(WindowTest, growingTheWindowStretchesMovesAndKeepsTheRightControls) {
  window->mainPanel->setCurrentIndex(0);
  const QRect makeHelp = window->makeHelpFrame->geometry();
  const QRect createHtml = window->createHtmlButton->geometry();
  const QRect files = window->filesFrame->geometry();
  const QRect moveUp = window->moveUpButton->geometry();
  const QRect moveDown = window->moveDownButton->geometry();
  const QRect projectField = window->projectFileField->geometry();
  const QRect list = window->topicListView->geometry();
  const QRect extract = window->extractButton->geometry();
  const QRect body = window->bodyEditor->geometry();
  const QRect example = window->exampleEditor->geometry();
  const QRect title = window->titleField->geometry();
  const QRect bold = window->tagButtons[0]->geometry();

  window->resize(window->size() + QSize(200, 100));
  QApplication::processEvents();
  const int dw = 200, dh = 100;

  EXPECT_EQ(window->makeHelpFrame->geometry(), makeHelp.translated(dw, 0));
  EXPECT_EQ(window->createHtmlButton->geometry(), createHtml.translated(dw, 0));
  EXPECT_EQ(window->filesFrame->geometry().size(), files.size() + QSize(dw, dh));
  EXPECT_EQ(window->projectFileField->geometry(), projectField);
  EXPECT_EQ(window->moveUpButton->geometry(), moveUp);
  // The splitter gives the topic pane part of the extra width, so the pane's controls follow
  // the pane: the down button keeps its distance to the pane's right edge.
  const int paneGrowth = window->topicPane->width() - 148;
  EXPECT_EQ(window->moveDownButton->geometry(), moveDown.translated(paneGrowth, 0));
  EXPECT_EQ(window->topicListView->height(), list.height() + dh);
  EXPECT_EQ(window->extractButton->height(), extract.height());
  EXPECT_EQ(window->extractButton->y(), extract.y() + dh);
  EXPECT_EQ(window->bodyEditor->height(), body.height() + dh);
  EXPECT_EQ(window->exampleEditor->height(), example.height());
  EXPECT_EQ(window->exampleEditor->y(), example.y() + dh);
  EXPECT_EQ(window->titleField->height(), title.height());
  EXPECT_GT(window->titleField->width(), title.width());
  EXPECT_GT(window->tagButtons[0]->x(), bold.x());
  EXPECT_EQ(window->tagButtons[0]->y(), bold.y());
}

TEST_F(WindowTest, growingTheWindowMovesTheLowerOptionsWithTheirCorner) {
  window->mainPanel->setCurrentIndex(1);
  QApplication::processEvents();
  const QRect about = window->aboutFrame->geometry();
  const QRect associate = window->associateButton->geometry();
  const QRect unique = window->uniqueHtmlButton->geometry();
  const QRect compile = window->compileCheckBox->geometry();
  const QRect heading = window->headingFields[0]->geometry();
  // At the size of creation every control stands where it was placed.
  EXPECT_NEAR(about.y(), 418, 2);
  EXPECT_NEAR(associate.x(), 318, 2);
  window->resize(window->size() + QSize(120, 80));
  QApplication::processEvents();
  EXPECT_EQ(window->aboutFrame->geometry(), about.translated(0, 80));
  EXPECT_EQ(window->associateButton->geometry(), associate.translated(120, 80));
  EXPECT_EQ(window->uniqueHtmlButton->geometry(), unique.translated(120, 80));
  EXPECT_EQ(window->compileCheckBox->geometry(), compile);
  EXPECT_EQ(window->headingFields[0]->geometry(), heading);
}

TEST_F(WindowTest, splitterKeepsBothPanesAboveTheirMinimumWidths) {
  EXPECT_EQ(window->topicPane->width(), 148);
  window->paneSplitter->setSizes({20, 2000});
  QApplication::processEvents();
  EXPECT_GE(window->topicPane->width(), 148);
  window->paneSplitter->setSizes({2000, 20});
  QApplication::processEvents();
  EXPECT_GE(window->pagePane->width(), 400);
  EXPECT_EQ(window->minimumSize(), QSize(657, 583));
}

TEST_F(WindowTest, shortcutsWorkWithTheFocusInAnEditor) {
  QSignalSpy spy(window.get(), &MainWindow::shortcutCommand);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->bodyEditor->setFocus();
  QTest::keyClick(window->bodyEditor, Qt::Key_F1);
  QTest::keyClick(window->bodyEditor, Qt::Key_F2);
  QTest::keyClick(window->bodyEditor, Qt::Key_Escape);
  window->titleField->setFocus();
  QTest::keyClick(window->titleField, Qt::Key_Escape);
  ASSERT_EQ(spy.count(), 4);
  EXPECT_EQ(spy[0][0].value<app::CommandId>(), app::CommandId::PreviewPage);
  EXPECT_EQ(spy[1][0].value<app::CommandId>(), app::CommandId::PreviewAll);
  EXPECT_EQ(spy[2][0].value<app::CommandId>(), app::CommandId::EditViewKey);
  EXPECT_EQ(spy[3][0].value<app::CommandId>(), app::CommandId::EditViewKey);
}

TEST_F(WindowTest, controlsStartWithTheirCaptionsStatesAndAboutText) {
  EXPECT_EQ(window->windowTitle(), "QuillSmith [Fast Builder]");
  EXPECT_EQ(window->mainPanel->tabText(0), "Project");
  EXPECT_EQ(window->mainPanel->tabText(1), "Options");
  EXPECT_TRUE(window->keepDataCheckBox->isChecked());
  EXPECT_FALSE(window->compileCheckBox->isChecked());
  EXPECT_FALSE(window->eraseHtmlCheckBox->isChecked());
  EXPECT_EQ(window->titleField->text(), "PageTitle");
  EXPECT_EQ(window->summaryEditor->toPlainText(), "Syntax (Function) or Overview (Index)");
  EXPECT_TRUE(MainWindow::AboutText().endsWith(
      "\nVersion " + QString::fromLatin1(kDisplayVersion.data(), kDisplayVersion.size())));
  EXPECT_NE(window->findChild<QTreeWidget*>("TopicListView"), nullptr);
  EXPECT_NE(window->findChild<QPushButton*>("UniqueHtmlButton"), nullptr);
  // Without the browser the switch is greyed out.
  EXPECT_FALSE(window->editViewButton->isEnabled());
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

TEST_F(WiredTest, formLabelsAndStatesFollowTheKindOfPage) {
  project = testsupport::MakeProject({"Index", "F1", "Notes*"});
  ui->RefreshTopicList();
  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(2));
  EXPECT_EQ(window->summaryLabel->title(), "Not used");
  EXPECT_EQ(window->bodyLabel->title(), "User text");
  EXPECT_FALSE(window->summaryEditor->isEnabled());
  EXPECT_FALSE(window->exampleEditor->isEnabled());
  EXPECT_FALSE(window->bodyEditor->isReadOnly());

  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(1));
  EXPECT_EQ(window->summaryLabel->title(), "Syntax");
  EXPECT_TRUE(window->summaryEditor->isEnabled());
  EXPECT_TRUE(window->summaryEditor->isReadOnly());
  EXPECT_TRUE(window->exampleEditor->isEnabled());
  EXPECT_EQ(window->bodyEditor->toolTip(), "Function description");

  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(0));
  EXPECT_EQ(window->bodyLabel->title(), "Index");
  EXPECT_TRUE(window->bodyEditor->isReadOnly());
  EXPECT_EQ(window->summaryEditor->toolTip(), "Library overview");
}

TEST_F(WiredTest, charactersTheCodePageLacksSurviveTheWindow) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(1));
  window->titleField->setText(QString::fromUtf8("Größe α"));
  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(0));
  EXPECT_EQ(project.FindTopic("F1")->title,
            "Gr\xF6\xDF"
            "e &#945;");
  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(1));
  EXPECT_EQ(window->titleField->text(), QString::fromUtf8("Größe α"));
}

TEST_F(WiredTest, tagButtonsInsertAtTheCaretOfTheEditorTouchedLast) {
  project = testsupport::MakeProject({"Index", "F1"});
  ui->RefreshTopicList();
  window->topicListView->setCurrentItem(window->topicListView->topLevelItem(1));
  window->tagButtons[0]->click();
  EXPECT_EQ(window->bodyEditor->toPlainText(), "");
  window->bodyEditor->setFocus();
  QTest::keyClicks(window->bodyEditor, "word");
  window->tagButtons[0]->click();
  window->tagButtons[1]->click();
  EXPECT_EQ(window->bodyEditor->toPlainText(), "word<b></b>");
}

// The entry chosen in the topic list's popup menu reaches the command it names, after the
// menu has closed: here "Add user index", whose name prompt then runs its own loop.
TEST_F(WiredTest, aPopupMenuEntryRunsItsCommandOnceTheMenuHasClosed) {
  project = testsupport::MakeProject({"Index", "F1", "F2"});
  ui->RefreshTopicList();
  QTreeWidget* list = window->topicListView;
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
  emit list->customContextMenuRequested(list->visualItemRect(list->topLevelItem(1)).center());
  EXPECT_EQ(offered, (QStringList{"Add user topic", "Add user index", "Delete item 'F1'"}));
  ASSERT_TRUE(uitest::WaitFor([&] { return project.ItemCount() == 4; }, 10));
  EXPECT_EQ(testsupport::RowTexts(project),
            (std::vector<std::string>{"Index", "Group", "F1", "F2"}));
  EXPECT_EQ(window->titleField->text(), "Group");
}

TEST_F(WiredTest, firstRunOffersEnglishAloneAndDisablesTheLanguageControls) {
  app::FinishStart(*context, "");
  EXPECT_EQ(window->languageList->count(), 1);
  EXPECT_EQ(window->languageList->currentText(), "English");
  EXPECT_FALSE(window->languageList->isEnabled());
  for (QLineEdit* field : window->headingFields) EXPECT_FALSE(field->isEnabled());
  EXPECT_TRUE(window->loadProjectButton->hasFocus() || !window->isActiveWindow());
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
  EXPECT_EQ(window->projectFileField->text().toStdString(), path);
  EXPECT_EQ(window->topicListView->topLevelItemCount(), 3);
  EXPECT_EQ(window->titleField->text(), "MyLib library");
  EXPECT_EQ(window->topicListView->currentItem()->text(0), "Index");
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

}  // namespace
}  // namespace qs::ui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
