#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;

namespace qs::spelling {
class Speller;
}

namespace qs::ui {

// Underlines the misspelt words of a one-line field, which has no formats of its own: a
// transparent layer over the field draws a red wave under each word, following the field's
// scrolling. Mouse and keyboard reach the field as before.
class SpellUnderlay : public QWidget {
  Q_OBJECT

 public:
  SpellUnderlay(QLineEdit* field, spelling::Speller& speller);

  // The stretches of the field, in its own coordinates, that are underlined now.
  QList<QRect> UnderlinedStretches() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QLineEdit* field_;
  spelling::Speller& speller_;
};

}  // namespace qs::ui
