#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>

#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/linehistory.h"

// The main window's menus and keys, and what it tells about typing in the form.

namespace qs::ui {

void MainWindow::ConnectMenus() {
  MainMenus& m = *menus_;
  auto command = [this](QAction* action, app::CommandId id) {
    connect(action, &QAction::triggered, this, [this, id] { emit shortcutCommand(id); });
  };
  auto click = [this](QAction* action, QAbstractButton* button) {
    connect(action, &QAction::triggered, button, [button] { button->click(); });
  };
  command(m.newProject, app::CommandId::New);
  command(m.open, app::CommandId::Load);
  command(m.save, app::CommandId::Save);
  command(m.saveAs, app::CommandId::SaveAs);
  click(m.createHtml, project_->createHtmlButton);
  click(m.uniqueHtml, options_->uniqueHtmlButton);
  // Through the close question, as the window manager's close button.
  connect(m.quit, &QAction::triggered, this, &QWidget::close, Qt::QueuedConnection);
  connect(m.recentMenu, &QMenu::aboutToShow, this,
          [this] { FillRecentProjectsMenu(menus_->recentMenu); });

  // In a field that takes typing, undo and redo are the field's.
  auto history = [this](QAction* action, bool undo) {
    connect(action, &QAction::triggered, this, [this, undo] {
      QWidget* focus = QApplication::focusWidget();
      if (InEditableText()) {
        // A field whose history is kept per page steps through that one.
        if (LineHistory* history = LineHistory::Of(focus)) {
          undo ? history->undo() : history->redo();
          return;
        }
        QMetaObject::invokeMethod(focus, undo ? "undo" : "redo");
        return;
      }
      emit shortcutCommand(undo ? app::CommandId::Undo : app::CommandId::Redo);
    });
  };
  history(m.undo, true);
  history(m.redo, false);
  for (const auto& [action, slot] :
       {std::pair{m.cut, "cut"}, std::pair{m.copy, "copy"}, std::pair{m.paste, "paste"},
        std::pair{m.selectAll, "selectAll"}}) {
    connect(action, &QAction::triggered, this, [slot] {
      QWidget* focus = QApplication::focusWidget();
      if (qobject_cast<QLineEdit*>(focus) != nullptr ||
          qobject_cast<QPlainTextEdit*>(focus) != nullptr) {
        QMetaObject::invokeMethod(focus, slot);
      }
    });
  }
  connect(m.findInPages, &QAction::triggered, this, &MainWindow::searchRequested);
  connect(m.filterTopics, &QAction::triggered, project_->topicFilterField, [this] {
    project_->topicFilterField->setFocus(Qt::ShortcutFocusReason);
    project_->topicFilterField->selectAll();
  });

  command(m.addUserTopic, app::CommandId::AddUserTopic);
  command(m.addIndexHeading, app::CommandId::AddUserIndex);
  command(m.deletePage, app::CommandId::DeleteItem);
  // Del deletes the selected page only in the topic list; elsewhere it is the field's.
  auto* del = new QShortcut(QKeySequence(Qt::Key_Delete), project_->topicListView);
  del->setContext(Qt::WidgetShortcut);
  connect(del, &QShortcut::activated, this, [this] {
    menus_->Refresh();
    if (menus_->deletePage->isEnabled()) emit shortcutCommand(app::CommandId::DeleteItem);
  });
  click(m.moveUp, project_->moveUpButton);
  click(m.moveDown, project_->moveDownButton);
  for (std::size_t i = 0; i < m.tags.size(); ++i) click(m.tags[i], project_->tagButtons[i]);
  click(m.insertLink, project_->insertLinkButton);
  click(m.insertPicture, project_->insertPictureButton);

  command(m.editView, app::CommandId::EditViewKey);
  command(m.livePane, app::CommandId::LivePane);
  command(m.preview, app::CommandId::PreviewPage);
  command(m.previewAll, app::CommandId::PreviewAll);
  click(m.manual, project_->showHelpButton);
  connect(m.about, &QAction::triggered, this,
          [this] { QMessageBox::about(this, "About QuillSmith", options_->aboutText->text()); });

  // What the items offer follows the focus: the field's undo and clipboard, the tags.
  connect(qApp, &QApplication::focusChanged, menus_, &MainMenus::RefreshForFocus);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, menus_,
          &MainMenus::RefreshForFocus);
}

void MainWindow::WatchFormEdits() {
  // Typing counts as a change at once. The editors say so once per change of their modified
  // state, which showing a topic or committing the form resets.
  connect(project_->titleField, &QLineEdit::textEdited, this, [this] { emit formEdited(); });
  for (QPlainTextEdit* editor :
       {project_->summaryEditor, project_->bodyEditor, project_->exampleEditor}) {
    // A text the program puts in (with the editor's signals blocked) is no edit, although the
    // document reports it modified until the form is marked committed. The editor passes on
    // the state of whichever page's document it shows.
    connect(editor, &QPlainTextEdit::modificationChanged, this, [this, editor](bool changed) {
      if (changed && !editor->signalsBlocked()) emit formEdited();
    });
  }
}

bool MainWindow::InEditableText() const {
  const QWidget* focus = QApplication::focusWidget();
  if (const auto* line = qobject_cast<const QLineEdit*>(focus)) return !line->isReadOnly();
  if (const auto* text = qobject_cast<const QPlainTextEdit*>(focus)) return !text->isReadOnly();
  return false;
}

}  // namespace qs::ui
