#pragma once

#include <QObject>
#include <QPointer>
#include <QTextDocument>
#include <memory>

class QLineEdit;
class QMenu;

namespace qs::ui {

// The undo and redo of a one-line field, kept in a document that can be handed over: a line
// field's own history is lost with every text the program sets, and cannot be moved from one
// text to another, so the page form's title could not keep a page's typing while other pages
// are shown. Every edit of the user's goes into the document as an editor's typing would
// (keystrokes typed one after the other make one step); the field's undo and redo keys
// (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z) and its context menu's Undo and Redo take the document's steps
// back and forth, the field's own history is never used. A step is an edit of the user's: the
// field reports it as textEdited. It lives as a child of the field.
class LineHistory : public QObject {
  Q_OBJECT

 public:
  explicit LineHistory(QLineEdit& field);

  // The history of `field`, if it has one.
  static LineHistory* Of(const QObject* field);

  // Keeps the history in `document` from now on (the caller's, alive while it is followed; null
  // for one of the history's own, emptied). A document that does not hold the field's text
  // starts afresh with it.
  void Follow(QTextDocument* document);
  // The text `document` holds, as a field would show it.
  static QString TextOf(const QTextDocument& document);

  bool isUndoAvailable() const;
  bool isRedoAvailable() const;
  void undo();
  void redo();
  // Points the Undo and Redo of a menu the field made (createStandardContextMenu) here.
  void TakeOverMenu(QMenu& menu);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The document the history is kept in now.
  QTextDocument* document() const;
  void Record(const QString& text);
  void Step(bool undo);

  QLineEdit& field_;
  std::unique_ptr<QTextDocument> own_;
  QPointer<QTextDocument> document_;
  // While a step sets the field's text, which is no edit to record.
  bool stepping_ = false;
};

}  // namespace qs::ui
