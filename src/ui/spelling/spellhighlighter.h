#pragma once

#include <QSyntaxHighlighter>

namespace qs::ui {

class SpellCheck;

// Underlines the misspelt words of a multi-line editor, one line at a time as the editor
// changes it. Each line keeps whether it ends inside a tag or a comment, so that markup
// running over several lines is skipped as a whole.
class SpellHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  SpellHighlighter(QTextDocument* document, SpellCheck& check);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  SpellCheck& check_;
};

}  // namespace qs::ui
