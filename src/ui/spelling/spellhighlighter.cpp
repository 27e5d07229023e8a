#include "ui/spelling/spellhighlighter.h"

#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextDocument>

#include "spelling/speller.h"

namespace qs::ui {

SpellHighlighter::SpellHighlighter(QTextDocument* document, spelling::Speller& speller)
    : QSyntaxHighlighter(document), speller_(speller) {
  connect(&speller, &spelling::Speller::changed, this, [this] {
    // New underlines are no edit: the editor must not report typing, which commands take as
    // the author's work.
    const QSignalBlocker quiet(this->document());
    rehighlight();
  });
}

void SpellHighlighter::highlightBlock(const QString& text) {
  const int previous = previousBlockState();
  auto state = previous == static_cast<int>(spelling::MarkupState::Tag) ? spelling::MarkupState::Tag
               : previous == static_cast<int>(spelling::MarkupState::Comment)
                   ? spelling::MarkupState::Comment
                   : spelling::MarkupState::Text;
  const QList<spelling::WordRange> misspelt = speller_.MisspeltWords(text, state);
  setCurrentBlockState(static_cast<int>(state));
  if (misspelt.isEmpty()) return;
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  format.setUnderlineColor(Qt::red);
  for (const spelling::WordRange& word : misspelt) {
    setFormat(static_cast<int>(word.start), static_cast<int>(word.length), format);
  }
}

}  // namespace qs::ui
