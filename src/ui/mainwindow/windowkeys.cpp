#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextDocument>

#include "ui/mainwindow/mainwindow.h"

// The main window's keys and what it tells about typing in the form.

namespace qs::ui {

void MainWindow::BuildShortcuts() {
  auto addShortcut = [this](QKeyCombination key, app::CommandId command) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, command] {
      const bool history = command == app::CommandId::Undo || command == app::CommandId::Redo;
      if (history && InEditableText()) return;
      emit shortcutCommand(command);
    });
  };
  addShortcut(Qt::Key_F1, app::CommandId::PreviewPage);
  addShortcut(Qt::Key_F2, app::CommandId::PreviewAll);
  addShortcut(Qt::Key_Escape, app::CommandId::EditViewKey);
  addShortcut(Qt::Key_F3, app::CommandId::LivePane);
  addShortcut(Qt::CTRL | Qt::Key_Z, app::CommandId::Undo);
  addShortcut(Qt::CTRL | Qt::Key_Y, app::CommandId::Redo);
  addShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, app::CommandId::Redo);
  addShortcut(Qt::CTRL | Qt::Key_S, app::CommandId::Save);
  addShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S, app::CommandId::SaveAs);
  addShortcut(Qt::CTRL | Qt::Key_O, app::CommandId::Load);
  addShortcut(Qt::CTRL | Qt::Key_N, app::CommandId::New);
}

void MainWindow::WatchFormEdits() {
  // Typing counts as a change at once. The editors say so once per change of their modified
  // state, which showing a topic or committing the form resets.
  connect(project_->titleField, &QLineEdit::textEdited, this, [this] { emit formEdited(); });
  for (QPlainTextEdit* editor :
       {project_->summaryEditor, project_->bodyEditor, project_->exampleEditor}) {
    // A text the program puts in (with the editor's signals blocked) is no edit, although the
    // document reports it modified until the form is marked committed.
    connect(editor->document(), &QTextDocument::modificationChanged, this,
            [this, editor](bool changed) {
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
