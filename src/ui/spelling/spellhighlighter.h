#pragma once

#include <QSyntaxHighlighter>

namespace qs::spelling {
class Speller;
}

namespace qs::ui {

// Underlines the misspelt words of a multi-line editor, one line at a time as the editor
// changes it. Each line keeps whether it ends inside a tag or a comment, so that markup
// running over several lines is skipped as a whole.
class SpellHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  SpellHighlighter(QTextDocument* document, spelling::Speller& speller);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  spelling::Speller& speller_;
};

}  // namespace qs::ui
