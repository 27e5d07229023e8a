#pragma once

#include <QSyntaxHighlighter>

class QPlainTextEdit;

namespace qs::ui {

// Colours PureBasic code in an editor as it is typed: keywords, comments, strings, numbers,
// #constants and calls, as the pages colour the examples (output::PureBasicTokens and
// output::StyleOf read the code for both). Off, it leaves the editor's document alone and
// costs nothing.
class CodeHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  // Colours the text typed into `editor` (its own document), once switched on. Owned by it.
  explicit CodeHighlighter(QPlainTextEdit* editor);

  void setColouring(bool on);
  bool colouring() const { return document() != nullptr; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QPlainTextEdit* editor_;
};

}  // namespace qs::ui
