#include "ui/widgets/codehighlighter.h"

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextDocument>
#include <string>

#include "output/purebasiccode.h"
#include "ui/widgets/formeditor.h"

namespace qs::ui {

CodeHighlighter::CodeHighlighter(QPlainTextEdit* editor)
    : QSyntaxHighlighter(static_cast<QObject*>(editor)), editor_(editor) {
  if (auto* form = qobject_cast<FormEditor*>(editor)) {
    // The colours follow the typing into whichever page's document the editor shows.
    connect(form, &FormEditor::documentReplaced, this, [this](QTextDocument* shown) {
      if (colouring()) MoveHighlighter(*this, shown);
    });
  }
}

void CodeHighlighter::setColouring(bool on) {
  if (on == colouring()) return;
  // New colours are no edit: the editor must not report typing, which commands take as the
  // author's work.
  // Coloured at once, not on the next turn of the event loop, where the signals would pass.
  const QSignalBlocker quiet(editor_->document());
  setDocument(on ? editor_->document() : nullptr);
  if (on) rehighlight();
}

void CodeHighlighter::highlightBlock(const QString& text) {
  // The code is read in the model's terms, one byte per character of the line; characters
  // beyond ASCII are no part of any name, number or keyword.
  std::string line(static_cast<std::size_t>(text.size()), '\x80');
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) line[static_cast<std::size_t>(i)] = static_cast<char>(c);
  }
  for (const output::CodeToken& token : output::PureBasicTokens(line)) {
    const output::CodeStyle style = output::StyleOf(token.kind);
    QTextCharFormat format;
    format.setForeground(QColor(
        QString::fromLatin1(style.colour.data(), static_cast<qsizetype>(style.colour.size()))));
    if (style.bold) format.setFontWeight(QFont::Bold);
    setFormat(static_cast<int>(token.start), static_cast<int>(token.length), format);
  }
}

}  // namespace qs::ui
