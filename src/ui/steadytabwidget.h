#pragma once

#include <QSize>
#include <QTabWidget>

namespace qs::ui {

// A tab widget that lays out and repaints itself only when the sizes its pages and its tab bar
// ask for have changed. The stock one repaints itself whole after any change of layout
// inside a page, such as a caption taking another text, so that showing another kind of page
// repainted the entire window.
class SteadyTabWidget : public QTabWidget {
  Q_OBJECT

 public:
  using QTabWidget::QTabWidget;

 protected:
  bool event(QEvent* event) override;

 private:
  struct Hints {
    QSize pageMinimum;
    QSize pageHint;
    QSize barHint;
    bool barShown = false;
    QSize size;
    bool operator==(const Hints&) const = default;
  };
  Hints CurrentHints() const;

  Hints laidOutFor_;
  bool laidOut_ = false;
};

}  // namespace qs::ui
