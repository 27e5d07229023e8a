#pragma once

// The page form's editors as the speller sees them: attached editors underline the words the
// speller finds misspelt and offer its suggestions, "Add to dictionary" and "Ignore" in their
// context menu. Without a dictionary nothing is underlined and the menus are the editors' own.

#include <QList>
#include <QObject>
#include <QPoint>
#include <memory>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace qs::spelling {
class Speller;
}

namespace qs::ui {

class SpellCheck : public QObject {
  Q_OBJECT

 public:
  // `speller` outlives this.
  explicit SpellCheck(spelling::Speller& speller, QObject* parent = nullptr);
  ~SpellCheck() override;

  // Underlines the editor's misspelt words and extends its context menu.
  void Attach(QPlainTextEdit* editor);
  void Attach(QLineEdit* field);
  // The context menu of an attached editor for a request at `pos` (the editor's viewport
  // coordinates for a multi-line editor), or at its caret when `atCaret`. The caller owns it.
  std::unique_ptr<QMenu> CreateContextMenu(QWidget* editor, QPoint pos, bool atCaret);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Target;
  Target Locate(QWidget* editor, QPoint pos, bool atCaret) const;

  spelling::Speller& speller_;
  QList<QPlainTextEdit*> editors_;
  QList<QLineEdit*> fields_;
};

}  // namespace qs::ui
