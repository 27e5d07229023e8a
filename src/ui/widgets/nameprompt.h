#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QString>

class QLineEdit;

namespace qs::ui {

// The small name prompt of the topic list: a caption, a prompt, one field, "Ok" and "Cancel",
// over the main window near the mouse pointer, without a close box. Return accepts, Escape
// cancels.
class NamePrompt : public QDialog {
 public:
  NamePrompt(QWidget* parent, const QString& caption, const QString& prompt, const QString& text,
             QPoint pointer);

  QLineEdit* field() const { return field_; }

  // The inner size at the least; larger when the prompt, the button or the caption need it.
  static constexpr QSize kInner{201, 50};

  // The entered text, or an empty text when cancelled.
  static QString Ask(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& text);

 private:
  QLineEdit* field_;
};

}  // namespace qs::ui
