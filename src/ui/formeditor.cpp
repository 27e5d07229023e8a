#include "ui/formeditor.h"

#include <QKeyEvent>
#include <QTextDocument>

namespace qs::ui {

FormEditor::FormEditor(int minimumLines, int preferredLines, bool tabTypesTab, QWidget* parent)
    : QPlainTextEdit(parent), minimumLines_(minimumLines), preferredLines_(preferredLines) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(!tabTypesTab);
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
  document()->setPlainText(text);
  moveCursor(QTextCursor::Start);
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

}  // namespace qs::ui
