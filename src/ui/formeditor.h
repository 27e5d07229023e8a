#pragma once

#include <QPlainTextEdit>

namespace qs::ui {

// A multi-line editor of the page form. It wraps its lines at its width and asks for room in
// lines of its own font, so that it keeps its proportions at any font size. Tab either moves
// the focus on, as in the other fields, or types a tab character, as code needs; in the
// latter case Ctrl+Tab and Ctrl+Shift+Tab move the focus. A collapsed editor takes no room.
class FormEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  FormEditor(int minimumLines, int preferredLines, bool tabTypesTab, QWidget* parent = nullptr);

  void setCollapsed(bool collapsed);
  bool isCollapsed() const { return collapsed_; }

  // Shows a text the program made (a functions list of perhaps thousands of lines), the caret
  // at its start. setPlainText would apply the typing format to every line once more; a text
  // nobody types in goes into the document as it is.
  void showProgramText(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;

 private:
  int HeightOfLines(int lines) const;

  int minimumLines_;
  int preferredLines_;
  bool collapsed_ = false;
};

}  // namespace qs::ui
