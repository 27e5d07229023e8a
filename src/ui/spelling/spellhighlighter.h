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

  // Underlines `document` from now on (none: nothing), at once and as no edit: the editor shows
  // another page's document. The document underlined until now loses its underlines.
  void MoveTo(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  spelling::Speller& speller_;
};

}  // namespace qs::ui
