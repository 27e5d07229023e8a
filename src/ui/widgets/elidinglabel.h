#pragma once

#include <QLabel>

namespace qs::ui {

// A one-line label for a text that may be longer than any window, such as a path: it asks for
// the whole text's width, and when it gets less it shows the text with its middle left out and
// the whole text as its tooltip. Its text stays the whole text.
class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidingLabel(const QString& text, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;
  // Whether the text is shown shortened now.
  bool isElided() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qs::ui
