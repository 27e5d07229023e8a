#pragma once

#include <QSize>
#include <QTabWidget>

namespace qs::ui {

// A tab widget that lays out and repaints itself only when its own size or its tab bar's
// changed. The stock one repaints itself whole after any change of layout inside a page,
// such as a caption taking another text or an editor collapsing, so that showing another
// kind of page repainted the entire window.
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
    // Where the tab bar and the page go depends on these alone.
    bool PlacesAsBefore(const Hints& before) const {
      return barHint == before.barHint && barShown == before.barShown && size == before.size;
    }
  };
  Hints CurrentHints() const;

  Hints laidOutFor_;
  bool laidOut_ = false;
};

}  // namespace qs::ui
