#pragma once

class QPlainTextEdit;

namespace qs::ui {

// Selects `length` characters from `column` of the line `line` (counted from 1) of `editor`,
// the caret at their start, the whole line for a negative length; scrolls it into view and
// gives the editor the focus. A line the editor does not have only gives the focus.
void SelectInLine(QPlainTextEdit& editor, int line, int column, int length);

}  // namespace qs::ui
