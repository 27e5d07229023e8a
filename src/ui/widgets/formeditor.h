#pragma once

#include <QPlainTextEdit>
#include <memory>

class QKeyEvent;
class QSyntaxHighlighter;

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

  // Shows a text the program made (a functions list of perhaps thousands of lines), the caret
  // at its start, read-only. It goes into a view of its own laid over the editor and kept
  // while the editor shows typed text: showing the same list again (the Index page after a
  // function page) only shows that view, instead of laying out thousands of lines again.
  void showProgramText(const QString& text);
  // Shows a text for typing in the editor's own document, with no undo history.
  void showEditableText(const QString& text);
  // Shows `document` for typing, with whatever undo history it has: a page's document kept
  // while other pages are shown. The caller owns it and keeps it alive while it is shown; it
  // was made by makeDocument, so that it lays out and looks like the editor's own.
  void showDocument(QTextDocument* document);
  // A document holding `text`, set up as the editor's own (layout, font, tabs, margin), with no
  // undo history; owned by the caller.
  std::unique_ptr<QTextDocument> makeDocument(const QString& text) const;
  // The document typing goes into.
  QTextDocument* editDocument() const { return document(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The editor shows `document` now instead of another, which still exists. What follows the
  // typing of a document (underlines, colours) moves over to the new one. Emitted also while
  // the editor's signals are blocked.
  void documentReplaced(QTextDocument* document);
  // The text of the document shown changed, whichever document that is (its contentsChange).
  void documentContentsChange(int position, int removed, int added);

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int HeightOfLines(int lines) const;
  void ForwardContentsChange();
  void SwapDocument(QTextDocument* shown);

  int minimumLines_;
  int preferredLines_;
  bool collapsed_ = false;
  QPlainTextEdit* programView_ = nullptr;
  QString programText_;
  QTextDocument* own_ = nullptr;
  QMetaObject::Connection contentsChange_;
};

// Ctrl+Y, Ctrl+Shift+Z, or what else the desktop's key scheme takes for redo.
bool IsRedoKey(const QKeyEvent& key);

// Moves `highlighter` onto `document` (none: off every document), at once and as no edit of
// either document: an editor shows another page's document, and what it underlines or
// colours follows the typing there.
void MoveHighlighter(QSyntaxHighlighter& highlighter, QTextDocument* document);

// Puts `tag` at the editor's caret, or wraps the selection in the tag's pair ("<b>" +
// selection + "</b>", whichever of the two `tag` is) as one step of the editor's undo, and
// gives the editor the focus. A read-only or disabled editor shows what the program made (the
// functions list, a syntax line): a tag put there would be stored by the next commit, so it
// is left alone.
void PutTag(QPlainTextEdit& editor, const QString& tag);

// Puts `before` + the selection + `after` in place of the selection, or `before` + `text` +
// `after` at the caret, as one step of the editor's undo, with the caret after it, and gives
// the editor the focus. A read-only or disabled editor is left alone, as by PutTag.
void PutMarkup(QPlainTextEdit& editor, const QString& before, const QString& text,
               const QString& after);

}  // namespace qs::ui
