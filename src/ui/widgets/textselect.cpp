#include "ui/widgets/textselect.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace qs::ui {

void SelectInLine(QPlainTextEdit& editor, int line, int column, int length) {
  const QTextBlock block = editor.document()->findBlockByNumber(line - 1);
  if (block.isValid()) {
    const int end = length < 0 ? block.length() - 1 : column + length;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + end);
    cursor.setPosition(block.position() + column, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
  }
  editor.setFocus();
}

}  // namespace qs::ui
