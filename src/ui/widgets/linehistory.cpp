#include "ui/widgets/linehistory.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTextCursor>
#include <algorithm>

#include "ui/widgets/formeditor.h"

namespace qs::ui {

LineHistory::LineHistory(QLineEdit& field)
    : QObject(&field), field_(field), own_(std::make_unique<QTextDocument>()) {
  setObjectName("LineHistory");
  Follow(nullptr);
  connect(&field_, &QLineEdit::textEdited, this, &LineHistory::Record);
  field_.installEventFilter(this);
}

LineHistory* LineHistory::Of(const QObject* field) {
  return field == nullptr ? nullptr
                          : field->findChild<LineHistory*>(QString(), Qt::FindDirectChildrenOnly);
}

QString LineHistory::TextOf(const QTextDocument& document) {
  // The raw text keeps every character as it is; only the document's own paragraph breaks
  // stand for line breaks.
  QString text = document.toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  return text;
}

QTextDocument* LineHistory::document() const {
  return document_ ? document_.data() : own_.get();
}

void LineHistory::Follow(QTextDocument* document) {
  if (document == nullptr) {
    own_->setPlainText({});
    document = own_.get();
  }
  document_ = document;
  // A text the document cannot hold as the field does (a paragraph separator) leaves it
  // different; Record and Step then keep no steps.
  if (TextOf(*document) != field_.text()) document->setPlainText(field_.text());
}

bool LineHistory::isUndoAvailable() const {
  return !field_.isReadOnly() && document()->isUndoAvailable();
}

bool LineHistory::isRedoAvailable() const {
  return !field_.isReadOnly() && document()->isRedoAvailable();
}

void LineHistory::undo() {
  Step(true);
}

void LineHistory::redo() {
  Step(false);
}

void LineHistory::Record(const QString& text) {
  if (stepping_) return;
  QTextDocument& kept = *document();
  const QString before = TextOf(kept);
  if (before == text) return;
  // The edit is what lies between the parts the two texts share at their start and their end.
  // The caret stands after what was typed, or where something was deleted: nothing after it is
  // counted as shared at the end, so that a letter typed beside the same letter is taken as
  // typed where the caret says, which keeps the keystrokes of a word one step.
  const qsizetype caret = std::clamp<qsizetype>(field_.cursorPosition(), 0, text.size());
  const qsizetype endRoom = std::min(before.size(), text.size() - caret);
  qsizetype end = 0;
  while (end < endRoom && before[before.size() - 1 - end] == text[text.size() - 1 - end]) ++end;
  const qsizetype startRoom = std::min(before.size(), text.size()) - end;
  qsizetype start = 0;
  while (start < startRoom && before[start] == text[start]) ++start;
  QTextCursor edit(&kept);
  edit.setPosition(static_cast<int>(start));
  edit.setPosition(static_cast<int>(before.size() - end), QTextCursor::KeepAnchor);
  edit.insertText(text.mid(start, text.size() - start - end));
  // A text the document cannot hold as the field does (a carriage return) gets no history
  // rather than steps that would give back another text.
  if (TextOf(kept) != text) {
    kept.setPlainText(text);
    kept.clearUndoRedoStacks();
  }
}

void LineHistory::Step(bool undo) {
  QTextDocument& kept = *document();
  if (field_.isReadOnly() || !(undo ? kept.isUndoAvailable() : kept.isRedoAvailable())) return;
  // Steps from another text than the field's would give back a text never typed.
  if (TextOf(kept) != field_.text()) {
    kept.clearUndoRedoStacks();
    return;
  }
  QTextCursor caret(&kept);
  if (undo) {
    kept.undo(&caret);
  } else {
    kept.redo(&caret);
  }
  const QString text = TextOf(kept);
  stepping_ = true;
  field_.setText(text);
  field_.setCursorPosition(caret.position());
  // A step is the user's edit, as the field's own undo is: whatever follows the typing (the
  // unsaved work, the live pane) hears of it.
  emit field_.textEdited(text);
  stepping_ = false;
}

void LineHistory::TakeOverMenu(QMenu& menu) {
  // The field's menu names its items in the field's own words, its key after a tab.
  const QString undoText = QCoreApplication::translate("QLineEdit", "&Undo");
  const QString redoText = QCoreApplication::translate("QLineEdit", "&Redo");
  for (QAction* action : menu.actions()) {
    const QString text = action->text().section(u'\t', 0, 0);
    const bool undoItem = text == undoText;
    if (!undoItem && text != redoText) continue;
    action->disconnect(&field_);
    action->setEnabled(undoItem ? isUndoAvailable() : isRedoAvailable());
    connect(action, &QAction::triggered, this, [this, undoItem] { Step(undoItem); });
  }
}

bool LineHistory::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == &field_ && (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) &&
      !field_.isReadOnly()) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool undoKey = key->matches(QKeySequence::Undo);
    if (undoKey || IsRedoKey(*key)) {
      // The keys are the field's, as an editor's are, never the window's.
      event->accept();
      if (type == QEvent::KeyPress) Step(undoKey);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qs::ui
