#include "ui/widgets/formeditor.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

// Lines of a program's text kept in one paragraph, parted by line separators. A paragraph a
// line costs tens of milliseconds to build at 20,000 lines; a paragraph of 64 lines shows and
// copies the same, and is laid out only when it comes into view.
constexpr int kLinesPerParagraph = 64;

// A read-only view of a long text the program made. Paragraphs not laid out yet count as
// the lines they hold (names rarely wrap), so that the scroll bar is right from the start
// rather than growing while the list is scrolled.
class ProgramTextView : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  void ShowLines(const QString& text) {
    QString paragraphs = text;
    int lines = 0;
    for (QChar& c : paragraphs) {
      if (c == u'\n' && ++lines % kLinesPerParagraph != 0) c = QChar::LineSeparator;
    }
    lines_ = lines + 1;
    setPlainText(paragraphs);
    CountUnlaidLines();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    // A new width lays every paragraph out anew, counting each as one line until shown.
    QPlainTextEdit::resizeEvent(event);
    CountUnlaidLines();
  }

 private:
  void CountUnlaidLines() {
    bool changed = false;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
      if (block.layout() != nullptr && block.layout()->lineCount() > 0) continue;
      // Every paragraph holds kLinesPerParagraph lines but the last, which holds the rest.
      const int lines =
          std::min(kLinesPerParagraph, lines_ - block.blockNumber() * kLinesPerParagraph);
      if (block.lineCount() != lines) {
        block.setLineCount(lines);
        changed = true;
      }
    }
    if (changed) {
      QAbstractTextDocumentLayout* layout = document()->documentLayout();
      emit layout->documentSizeChanged(layout->documentSize());
    }
  }

  // The lines of the text shown.
  int lines_ = 1;
};

}  // namespace

bool IsRedoKey(const QKeyEvent& key) {
  const QKeyCombination pressed = key.keyCombination();
  return key.matches(QKeySequence::Redo) ||
         pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
         pressed == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

void MoveHighlighter(QSyntaxHighlighter& highlighter, QTextDocument* document) {
  if (document == highlighter.document()) return;
  {
    // Taking the underlines or colours away is no edit of the document left either.
    const QSignalBlocker quietBefore(highlighter.document());
    highlighter.setDocument(nullptr);
  }
  if (document == nullptr) return;
  // Done at once, not on the next turn of the event loop, where the signals would pass.
  const QSignalBlocker quiet(document);
  highlighter.setDocument(document);
  highlighter.rehighlight();
}

FormEditor::FormEditor(int minimumLines, int preferredLines, bool tabTypesTab, QWidget* parent)
    : QPlainTextEdit(parent), minimumLines_(minimumLines), preferredLines_(preferredLines) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(!tabTypesTab);
  // The editor's first document stays its own when a page's document is shown instead (the
  // editor would delete a document of its own making as soon as another takes its place).
  own_ = document();
  own_->setParent(this);
  ForwardContentsChange();
}

void FormEditor::ForwardContentsChange() {
  disconnect(contentsChange_);
  contentsChange_ = connect(document(), &QTextDocument::contentsChange, this,
                            &FormEditor::documentContentsChange);
}

std::unique_ptr<QTextDocument> FormEditor::makeDocument(const QString& text) const {
  auto made = std::make_unique<QTextDocument>();
  made->setDocumentLayout(new QPlainTextDocumentLayout(made.get()));
  made->setDefaultFont(own_->defaultFont());
  made->setDefaultTextOption(own_->defaultTextOption());
  made->setDocumentMargin(own_->documentMargin());
  made->setPlainText(text);  // no step of undo
  made->setModified(false);
  return made;
}

void FormEditor::showDocument(QTextDocument* shown) {
  if (programView_ != nullptr && programView_->isVisibleTo(this)) {
    const bool hadFocus = programView_->hasFocus();
    setFocusProxy(nullptr);
    programView_->hide();
    if (hadFocus) setFocus();
  }
  SwapDocument(shown);
}

void FormEditor::SwapDocument(QTextDocument* shown) {
  if (shown == document()) return;
  // The editor sets its font on the document it shows only: one kept while another was
  // shown may have missed a change.
  if (shown->defaultFont() != font()) shown->setDefaultFont(font());
  setDocument(shown);
  ForwardContentsChange();
  // Told even while the form is being filled with the editor's signals blocked (the filling
  // is no typing): the underlines and colours must move with the document all the same.
  const bool blocked = blockSignals(false);
  emit documentReplaced(shown);
  blockSignals(blocked);
}

void FormEditor::setCollapsed(bool collapsed) {
  if (collapsed == collapsed_) return;
  collapsed_ = collapsed;
  setMaximumHeight(collapsed ? 0 : QWIDGETSIZE_MAX);
  updateGeometry();
}

int FormEditor::HeightOfLines(int lines) const {
  const QMargins margins = contentsMargins();
  return lines * fontMetrics().lineSpacing() + 2 * static_cast<int>(document()->documentMargin()) +
         2 * frameWidth() + margins.top() + margins.bottom();
}

void FormEditor::showProgramText(const QString& text) {
  if (programView_ == nullptr) {
    // Same frame, font, colours and wrapping as the editor it covers.
    programView_ = new ProgramTextView(this);
    programView_->setObjectName(objectName() + "ProgramView");
    programView_->setReadOnly(true);
    programView_->setLineWrapMode(lineWrapMode());
    programView_->setHorizontalScrollBarPolicy(horizontalScrollBarPolicy());
    programView_->setTabChangesFocus(true);
    programView_->setGeometry(rect());
    // A screen reader reads the view as what the editor shows now (its tooltip's words).
    programView_->setAccessibleName(ReadableName(toolTip()));
    // In the focus order right where the editor is, which hands the focus to it.
    QWidget::setTabOrder(this, programView_);
  }
  programView_->document()->setDocumentMargin(document()->documentMargin());
  if (text != programText_) {
    static_cast<ProgramTextView*>(programView_)->ShowLines(text);
    programText_ = text;
  }
  programView_->moveCursor(QTextCursor::Start);
  // A page's document is never covered: what is typed there stays the page's.
  SwapDocument(own_);
  // The covered document holds nothing that could be read back or spell checked.
  if (!document()->isEmpty()) setPlainText({});
  const bool hadFocus = hasFocus();
  setFocusProxy(programView_);
  programView_->show();
  programView_->raise();
  if (hadFocus) programView_->setFocus();
}

void FormEditor::showEditableText(const QString& text) {
  showDocument(own_);
  setPlainText(text);
}

void FormEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  if (programView_ != nullptr) programView_->setGeometry(rect());
}

QSize FormEditor::sizeHint() const {
  if (collapsed_) return {QPlainTextEdit::sizeHint().width(), 0};
  return {QPlainTextEdit::sizeHint().width(), HeightOfLines(preferredLines_)};
}

QSize FormEditor::minimumSizeHint() const {
  if (collapsed_) return {QPlainTextEdit::minimumSizeHint().width(), 0};
  return {QPlainTextEdit::minimumSizeHint().width(), HeightOfLines(minimumLines_)};
}

bool FormEditor::event(QEvent* event) {
  if (event->type() == QEvent::ToolTipChange && programView_ != nullptr)
    programView_->setAccessibleName(ReadableName(toolTip()));
  if (event->type() == QEvent::ShortcutOverride) {
    // Some desktops' key scheme makes Ctrl+K delete to the end of the line; in the form it is
    // the window's "Insert link".
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_K)) {
      event->ignore();
      return true;
    }
  }
  if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      !isReadOnly() && IsRedoKey(*static_cast<const QKeyEvent*>(event))) {
    // Both redo keys are the editor's, whichever of them the desktop's key scheme names:
    // outside the form they redo the project's changes.
    event->accept();
    if (event->type() == QEvent::KeyPress) redo();
    return true;
  }
  if (event->type() == QEvent::KeyPress && !tabChangesFocus()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool control = key->modifiers() & Qt::ControlModifier;
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (control && tab) {
      // The tab panel would take Ctrl+Tab to switch its pages: here it only leaves the editor.
      const bool backwards =
          key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
      // The editor's own focus step refuses to leave an editable text; the window's does not.
      QWidget::focusNextPrevChild(!backwards);
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void PutTag(QPlainTextEdit& editor, const QString& tag) {
  if (editor.isReadOnly() || !editor.isEnabled()) return;
  editor.setFocus();
  QTextCursor cursor = editor.textCursor();
  if (!cursor.hasSelection()) {
    // At the caret; the user's clipboard is left alone.
    cursor.insertText(tag);
    editor.setTextCursor(cursor);
    return;
  }
  const QString name = tag.mid(tag.startsWith("</") ? 2 : 1);
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  cursor.beginEditBlock();
  cursor.setPosition(end);
  cursor.insertText("</" + name);
  const int after = cursor.position();
  cursor.setPosition(start);
  cursor.insertText("<" + name);
  cursor.endEditBlock();
  cursor.setPosition(after + static_cast<int>(name.size()) + 1);
  editor.setTextCursor(cursor);
}

void PutMarkup(QPlainTextEdit& editor, const QString& before, const QString& text,
               const QString& after) {
  if (editor.isReadOnly() || !editor.isEnabled()) return;
  editor.setFocus();
  QTextCursor cursor = editor.textCursor();
  if (!cursor.hasSelection()) {
    cursor.insertText(before + text + after);
    editor.setTextCursor(cursor);
    return;
  }
  // The selection itself is not touched, so every character of it stays as typed.
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  cursor.beginEditBlock();
  cursor.setPosition(end);
  cursor.insertText(after);
  const int afterEnd = cursor.position();
  cursor.setPosition(start);
  cursor.insertText(before);
  cursor.endEditBlock();
  cursor.setPosition(afterEnd + static_cast<int>(before.size()));
  editor.setTextCursor(cursor);
}

}  // namespace qs::ui
