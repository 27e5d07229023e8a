#pragma once

#include <QStatusBar>

namespace qs::ui {

// The main window's status bar: a message longer than the room left of the bar's permanent
// controls ends in "…" instead of being cut off mid-letter, and hovering over it shows the
// whole message as a tooltip. Messages come and go through QStatusBar's own functions.
class StatusLine : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  // Whether the current message is shown shortened now.
  bool messageElided() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where the message goes: from the left edge to the first permanent control, or to the size
  // grip when there is none.
  QRect MessageRect() const;
};

}  // namespace qs::ui
