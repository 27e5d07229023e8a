#include "ui/widgets/steadytabwidget.h"

#include <QEvent>
#include <QStackedWidget>
#include <QTabBar>

namespace qs::ui {

SteadyTabWidget::Hints SteadyTabWidget::CurrentHints() const {
  const QWidget* page = currentWidget();
  return {page != nullptr ? page->minimumSizeHint() : QSize(),
          page != nullptr ? page->sizeHint() : QSize(), tabBar()->sizeHint(),
          tabBar()->isVisibleTo(this), size()};
}

bool SteadyTabWidget::event(QEvent* event) {
  if (event->type() == QEvent::LayoutRequest) {
    const Hints now = CurrentHints();
    if (laidOut_ && now.PlacesAsBefore(laidOutFor_)) {
      // The tab bar and the page keep their places: the page has laid out its own contents
      // already, and there is nothing of the tab widget's to repaint. A page asking for
      // another size (an editor collapsed) is still news for the window's layout.
      if (!(now == laidOutFor_)) {
        laidOutFor_ = now;
        updateGeometry();
      }
      return true;
    }
    laidOutFor_ = now;
    laidOut_ = true;
  }
  return QTabWidget::event(event);
}

}  // namespace qs::ui
