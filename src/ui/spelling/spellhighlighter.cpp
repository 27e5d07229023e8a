#include "ui/spelling/spellhighlighter.h"

#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextDocument>

#include "ui/spelling/spellcheck.h"

namespace qs::ui {

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellCheck& check)
    : QSyntaxHighlighter(document), check_(check) {
  connect(&check, &SpellCheck::changed, this, [this] {
    // New underlines are no edit: the editor must not report typing, which commands take as
    // the author's work.
    const QSignalBlocker quiet(this->document());
    rehighlight();
  });
}

void SpellHighlighter::highlightBlock(const QString& text) {
  const int previous = previousBlockState();
  auto state = previous == static_cast<int>(MarkupState::Tag)       ? MarkupState::Tag
               : previous == static_cast<int>(MarkupState::Comment) ? MarkupState::Comment
                                                                    : MarkupState::Text;
  const QList<WordRange> misspelt = check_.MisspeltWords(text, state);
  setCurrentBlockState(static_cast<int>(state));
  if (misspelt.isEmpty()) return;
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  format.setUnderlineColor(Qt::red);
  for (const WordRange& word : misspelt) {
    setFormat(static_cast<int>(word.start), static_cast<int>(word.length), format);
  }
}

}  // namespace qs::ui
