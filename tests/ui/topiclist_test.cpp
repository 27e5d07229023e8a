// The topic list over the project's rows: the row signals of each change, the filter above
// the list, the search through the pages, and the project named at start-up loading after the
// window's first paint.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "app/lifecycle.h"
#include "project/projectfile.h"
#include "project/topicops.h"
#include "project/usertopics.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/startup.h"
#include "ui/topiclist/pagesearchdialog.h"
#include "ui/topiclist/topiclistmodel.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

QStringList ShownRows(const MainWindow& window) {
  QStringList rows;
  const QAbstractItemModel* model = window.projectTab().topicListView->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    rows << model->index(row, 0).data().toString();
  }
  return rows;
}

QStringList ProjectRows(const project::HelpProject& project) {
  QStringList rows;
  for (const project::ListItem& item : project.items()) rows << QString::fromStdString(item.text);
  return rows;
}

QString SelectedName(const MainWindow& window) {
  return window.projectTab().topicListView->currentIndex().isValid() &&
                 window.projectTab().topicListView->selectionModel()->hasSelection()
             ? window.projectTab().topicListView->currentIndex().data().toString()
             : QString();
}

// Each change of the rows reaches the list's model as the signal of that change (a move as a
// change of the rows it passes over); only replacing all rows resets it, the view never lays
// out the whole list again for one row, and the column stays wide enough for the widest name.
TEST(TopicList, followsEachChangeWithItsOwnRowSignal) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  QAbstractItemModel* model = app.window->projectTab().topicListView->topicModel();
  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
  QSignalSpy reset(model, &QAbstractItemModel::modelReset);
  QSignalSpy relaidOut(app.window->projectTab().topicListView->model(),
                       &QAbstractItemModel::layoutChanged);

  app.SelectRow(3);
  const QString third = SelectedName(*app.window);
  app.window->projectTab().moveUpButton->click();
  app.window->projectTab().moveDownButton->click();
  app.window->projectTab().moveDownButton->click();
  ASSERT_EQ(changed.count(), 3);
  EXPECT_EQ(changed[2][0].value<QModelIndex>().row(), 3);
  EXPECT_EQ(changed[2][1].value<QModelIndex>().row(), 4);
  EXPECT_EQ(ShownRows(*app.window), ProjectRows(app.project));
  EXPECT_EQ(SelectedName(*app.window), third);
  EXPECT_EQ(app.project.ItemText(4), third.toStdString());

  ASSERT_TRUE(project::AddUserTopic(app.project, "A much longer name than any function has").added);
  app.ui->RefreshTopicList();
  EXPECT_EQ(inserted.count(), 1);
  const QModelIndex added =
      app.window->projectTab().topicListView->model()->index(app.project.selectedRow(), 0);
  EXPECT_EQ(SelectedName(*app.window), "A much longer name than any function has");
  EXPECT_GE(app.window->projectTab().topicListView->columnWidth(0),
            app.window->projectTab().topicListView->sizeHintForIndex(added).width());
  app.commands->page.DeleteSelectedTopic();
  EXPECT_EQ(removed.count(), 1);
  EXPECT_EQ(ShownRows(*app.window), ProjectRows(app.project));
  EXPECT_EQ(SelectedName(*app.window), "Index");
  EXPECT_EQ(reset.count(), 0);

  EXPECT_EQ(relaidOut.count(), 0);

  app.commands->project.Extract();
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(ShownRows(*app.window), ProjectRows(app.project));
}

// Removing the selected row makes the list select the row below it; the program must not take
// that as the author's click halfway through a deletion or an undo, or the page below is the
// one whose text goes.
TEST(TopicList, removingTheSelectedRowTouchesOnlyItsOwnPage) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  app.SelectRow(1);
  ASSERT_TRUE(project::AddUserTopic(app.project, "Licence").added);
  app.project.FindTopic("Licence")->body = "The author's licence text";
  app.SelectRow(1);
  ASSERT_TRUE(project::AddUserTopic(app.project, "Notes").added);  // goes above Licence
  app.ui->RefreshTopicList();
  const int notes = app.project.selectedRow();
  ASSERT_EQ(app.project.ItemText(notes + 1), "Licence");
  const std::string function = app.project.ItemText(2);
  const std::string below = app.project.ItemText(3);
  const std::size_t topics = app.project.TopicCount();
  auto consistent = [&app] {
    for (const project::ListItem& item : app.project.items()) {
      if (app.project.CountTopics(item.text) != 1) return false;
    }
    return app.project.TopicCount() == app.project.ItemCount();
  };
  ASSERT_TRUE(consistent());

  app.SelectRow(notes);
  app.commands->page.DeleteSelectedTopic();
  EXPECT_EQ(app.project.CountTopics("Notes"), 0u);
  ASSERT_NE(app.project.FindTopic("Licence"), nullptr);
  EXPECT_EQ(app.project.FindTopic("Licence")->body, "The author's licence text");
  EXPECT_EQ(SelectedName(*app.window), "Index");
  EXPECT_EQ(ShownRows(*app.window), ProjectRows(app.project));

  // A function row in the middle of the list, and the undo that puts it back.
  app.SelectRow(2);
  app.commands->page.DeleteSelectedTopic();
  EXPECT_EQ(app.project.CountTopics(function), 0u);
  EXPECT_EQ(app.project.ItemText(2), below);
  EXPECT_TRUE(consistent());
  app.commands->page.Undo();
  EXPECT_EQ(app.project.ItemText(2), function);
  EXPECT_EQ(SelectedName(*app.window), QString::fromStdString(function));

  // The deletion of Notes undone and done again.
  app.commands->page.Undo();
  EXPECT_EQ(SelectedName(*app.window), "Notes");
  EXPECT_EQ(app.project.TopicCount(), topics);
  EXPECT_TRUE(consistent());
  app.commands->page.Redo();
  EXPECT_EQ(app.project.CountTopics("Notes"), 0u);
  EXPECT_TRUE(consistent());
  EXPECT_EQ(app.project.FindTopic("Licence")->body, "The author's licence text");
}

// The moved rows' functions list is what the page shows, and what the read-only list showed
// is never taken back from the editor.
TEST(TopicList, aMovedIndexListIsShownAndNeverReadBack) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  app.SelectRow(1);
  const std::string first = app.project.ItemText(1);
  app.window->projectTab().moveDownButton->click();
  app.SelectRow(0);
  const std::string list = app.project.Body(0);
  EXPECT_EQ(list.substr(0, list.find("\r\n", list.find("\r\n") + 2)),
            app.project.ItemText(1) + "\r\n" + first);
  // Nothing may write into a read-only editor; if something did, it is not the author's.
  app.window->projectTab().bodyEditor->document()->setPlainText("not a list");
  app.SelectRow(1);
  EXPECT_EQ(app.project.Body(0), list);
}

// The filter narrows the list to the names holding its text, in display order, without
// regard to case; the moves wait; clearing it shows every row with the project's selection.
TEST(TopicList, filterKeepsTheOrderAndTheSelection) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  app.SelectRow(2);
  app.window->projectTab().moveUpButton->click();  // display order now differs from the store's
  const QStringList all = ShownRows(*app.window);
  int other = 1;
  while (all[other].contains("trim", Qt::CaseInsensitive)) ++other;
  app.SelectRow(other);
  const int width = app.window->projectTab().topicListView->columnWidth(0);

  app.window->projectTab().topicFilterField->setFocus();
  QTest::keyClicks(app.window->projectTab().topicFilterField, "tRiM");
  QStringList expected;
  for (const QString& name : all) {
    if (name.contains("trim", Qt::CaseInsensitive)) expected << name;
  }
  ASSERT_GE(expected.size(), 3);
  EXPECT_EQ(ShownRows(*app.window), expected);
  EXPECT_FALSE(app.window->projectTab().moveUpButton->isEnabled());
  EXPECT_FALSE(app.window->projectTab().moveDownButton->isEnabled());
  EXPECT_EQ(SelectedName(*app.window), "") << "the selected row does not match";
  EXPECT_EQ(QString::fromStdString(app.project.shownTopic()), all[other])
      << "filtering chose no page";

  // Selecting a filtered row selects that topic of the project.
  app.SelectRow(1);
  const QString chosen = expected[1];
  EXPECT_EQ(QString::fromStdString(app.project.shownTopic()), chosen);
  EXPECT_EQ(app.window->projectTab().titleField->text(),
            QString::fromStdString(app.project.FindTopic(chosen.toStdString())->title));
  QTest::keyClick(app.window->projectTab().topicFilterField, Qt::Key_Backspace);
  EXPECT_EQ(SelectedName(*app.window), chosen) << "a matching selection stays";

  // With text in it, the field offers its clear button.
  QLineEdit* field = app.window->projectTab().topicFilterField;
  EXPECT_TRUE(field->isClearButtonEnabled());
  field->clear();
  EXPECT_EQ(ShownRows(*app.window), all);
  EXPECT_EQ(SelectedName(*app.window), chosen);
  EXPECT_EQ(app.window->projectTab().topicListView->columnWidth(0), width)
      << "the column fits again";
  EXPECT_TRUE(app.window->projectTab().moveUpButton->isEnabled());

  // Ctrl+L, and Ctrl+F outside the editors, go to the field; in an editor Ctrl+F stays there.
  app.window->projectTab().topicListView->setFocus();
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().topicFilterField);
  app.window->projectTab().topicListView->setFocus();
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().topicFilterField);
  app.window->projectTab().bodyEditor->setFocus();
  QTest::keyClick(app.window->projectTab().bodyEditor, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().bodyEditor);

  // A page added under a filter is shown, selected, whatever its name; deleted, it goes.
  app.window->projectTab().topicFilterField->setText("trim");
  ASSERT_TRUE(project::AddUserTopic(app.project, "Zebra").added);
  app.ui->RefreshTopicList();
  EXPECT_EQ(SelectedName(*app.window), "Zebra");
  // A move under the filter (an undo can make one) keeps the added row wherever it goes and
  // checks the rows it passes over again.
  const int zebra = app.project.selectedRow();
  app.project.MoveItem(static_cast<std::size_t>(zebra), 0);
  app.ui->RefreshTopicList();
  EXPECT_EQ(ShownRows(*app.window), QStringList{"Zebra"} + expected);
  app.project.MoveItem(0, static_cast<std::size_t>(zebra));
  app.ui->RefreshTopicList();
  EXPECT_EQ(ShownRows(*app.window), expected + QStringList{"Zebra"});
  EXPECT_EQ(SelectedName(*app.window), "Zebra");
  app.commands->page.DeleteSelectedTopic();
  EXPECT_EQ(ShownRows(*app.window), expected);
  app.window->projectTab().topicFilterField->clear();
  EXPECT_EQ(ShownRows(*app.window), all);
  EXPECT_EQ(SelectedName(*app.window), "Index");

  // In the field Escape clears its text, and only an empty field lets Escape go on to the
  // window (the edit/view switch); Down enters the list at the first row the filter shows.
  QSignalSpy keys(app.window.get(), &MainWindow::shortcutCommand);
  field->setFocus();
  QTest::keyClicks(field, "trim");
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(ShownRows(*app.window), all);
  EXPECT_EQ(keys.count(), 0) << "the first Escape only clears";
  // This window has no browser, so the switch is greyed; offered, it takes the next Escape.
  app.window->menus().editView->setEnabled(true);
  QTest::keyClick(field, Qt::Key_Escape);
  ASSERT_EQ(keys.count(), 1);
  EXPECT_EQ(keys[0][0].value<app::CommandId>(), app::CommandId::EditViewKey);
  QTest::keyClicks(field, "trim");
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().topicListView);
  EXPECT_EQ(SelectedName(*app.window), expected[0]);
  EXPECT_EQ(app.project.shownTopic(), expected[0].toStdString());
  EXPECT_EQ(field->text(), "trim") << "entering the list keeps the filter";
  // A filter that shows no row leaves Down to the field.
  field->setFocus();
  QTest::keyClicks(field, "zzz");
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), field);
  EXPECT_EQ(keys.count(), 1);
}

// Where the selected text of an editor is shown, in global coordinates.
QRect SelectionOnScreen(const QPlainTextEdit& editor) {
  QTextCursor start = editor.textCursor();
  QTextCursor end = start;
  start.setPosition(start.selectionStart());
  end.setPosition(end.selectionEnd());
  const QRect shown = editor.cursorRect(start).united(editor.cursorRect(end));
  return QRect(editor.viewport()->mapToGlobal(shown.topLeft()), shown.size());
}

// Ctrl+Shift+F lists every line holding the text, in display order, with its field (the Index
// page's overview among them); choosing a hit selects its topic (clearing a filter that hides
// it), selects the text in its field and moves the search window off it.
TEST(TopicList, searchListsHitsInDisplayOrderAndChoosingOnePlacesTheCaret) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  const std::string second = app.project.ItemText(2);
  const std::string third = app.project.ItemText(3);
  app.project.FindTopic(third)->body = "First line\r\nthe Needle is here";
  app.project.FindTopic(second)->example = "a\r\nb\r\nneedle";
  app.project.FindTopic(second)->title = "NEEDLE title";
  app.SelectRow(3);
  // Set once the Index page's form has been committed, as typing there and leaving would.
  app.project.FindTopic("Index")->summary = "An overview\r\nwith a needle in it";
  app.window->projectTab().moveUpButton->click();  // the third row comes before the second now
  app.window->projectTab().topicFilterField->setText("zzz");

  QTest::keyClick(app.window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  auto* dialog = app.window->findChild<PageSearchDialog*>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(dialog->isVisible());
  dialog->searchField->setText(QString::fromUtf8("needle"));
  QTest::keyClick(dialog->searchField, Qt::Key_Return);
  QStringList hits;
  for (int i = 0; i < dialog->hitList->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = dialog->hitList->topLevelItem(i);
    hits << item->text(0) + "/" + item->text(1) + "/" + item->text(2);
  }
  const QString s = QString::fromStdString(second);
  const QString t = QString::fromStdString(third);
  EXPECT_EQ(hits, QStringList({"Index/Overview/2", t + "/Description/2", s + "/Title/1",
                               s + "/Example/3"}));
  EXPECT_EQ(dialog->countLabel->text(), "4 hits");
  // Down goes from the field into the hits, at the first; Up from there goes back.
  dialog->searchField->setFocus();
  QTest::keyClick(dialog->searchField, Qt::Key_Down);
  EXPECT_EQ(dialog->focusWidget(), dialog->hitList);
  EXPECT_EQ(dialog->hitList->currentItem(), dialog->hitList->topLevelItem(0));
  QTest::keyClick(dialog->hitList, Qt::Key_Down);
  EXPECT_EQ(dialog->hitList->currentItem(), dialog->hitList->topLevelItem(1));
  QTest::keyClick(dialog->hitList, Qt::Key_Up);
  QTest::keyClick(dialog->hitList, Qt::Key_Up);
  EXPECT_EQ(dialog->focusWidget(), dialog->searchField);

  emit dialog->hitList->itemActivated(dialog->hitList->topLevelItem(0), 0);
  EXPECT_EQ(app.project.shownTopic(), "Index");
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().summaryEditor);
  EXPECT_EQ(app.window->projectTab().summaryEditor->textCursor().selectedText(), "needle");
  EXPECT_FALSE(dialog->frameGeometry().intersects(
      SelectionOnScreen(*app.window->projectTab().summaryEditor)));

  // A search window the author put over the text moves off it.
  QPlainTextEdit* body = app.window->projectTab().bodyEditor;
  dialog->resize(320, 160);
  dialog->move(body->mapToGlobal(QPoint(0, 0)));
  emit dialog->hitList->itemActivated(dialog->hitList->topLevelItem(1), 0);
  EXPECT_EQ(app.window->projectTab().topicFilterField->text(), "") << "the filter hid the topic";
  EXPECT_EQ(SelectedName(*app.window), t);
  EXPECT_EQ(app.project.shownTopic(), third);
  const QTextCursor caret = app.window->projectTab().bodyEditor->textCursor();
  EXPECT_EQ(QApplication::focusWidget(), app.window->projectTab().bodyEditor);
  EXPECT_EQ(caret.blockNumber(), 1);
  EXPECT_EQ(caret.positionInBlock(), 4);
  EXPECT_EQ(caret.selectedText(), "Needle");
  const QRect shown = SelectionOnScreen(*body);
  EXPECT_FALSE(dialog->frameGeometry().intersects(shown))
      << shown.y() << " " << dialog->frameGeometry().y();
  EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));

  emit dialog->hitList->itemActivated(dialog->hitList->topLevelItem(2), 0);
  EXPECT_EQ(SelectedName(*app.window), s);
  EXPECT_EQ(app.window->projectTab().titleField->selectedText(), "NEEDLE");
  EXPECT_EQ(app.window->projectTab().titleField->cursorPosition(), 0);
}

// The project named on the command line loads after the first paint, with the status line
// saying so meanwhile.
TEST(TopicList, theStartProjectLoadsAfterTheFirstPaint) {
  uitest::WiredWindow source(false);
  source.ExtractSample(source.Path("help/"));
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(source.project, source.Path("start.qsp"), reports));

  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  struct FirstPaint : QObject {
    const project::HelpProject* project = nullptr;
    int rowsAtFirstPaint = -1;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint && rowsAtFirstPaint < 0) {
        rowsAtFirstPaint = static_cast<int>(project->ItemCount());
      }
      return false;
    }
  } spy;
  spy.project = &project;
  auto window = std::make_unique<MainWindow>(false);
  QtUi ui(*window, project);
  const app::CommandContext context{project, state, captions, *source.services, ui};
  window->installEventFilter(&spy);
  QStringList statuses;
  QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(),
                   [&statuses](const QString& text) { statuses << text; });
  window->show();
  app::FinishStart(context, "");
  OpenAfterFirstPaint(*window, context, source.Path("start.qsp"));
  EXPECT_EQ(project.ItemCount(), 0u);
  QTRY_VERIFY(project.ItemCount() > 0);
  window->removeEventFilter(&spy);
  EXPECT_EQ(spy.rowsAtFirstPaint, 0);
  EXPECT_EQ(ShownRows(*window), ProjectRows(source.project));
  EXPECT_EQ(window->projectTab().titleField->text(),
            QString::fromStdString(source.project.FindTopic("Index")->title));
  EXPECT_EQ(statuses, QStringList({"Loading the project...", ""}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace qs::ui
