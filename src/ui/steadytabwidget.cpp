#include "ui/steadytabwidget.h"

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
    // Nothing the tab widget places has asked for another size: the page has laid out its
    // own contents already, and there is nothing of the tab widget's to repaint.
    if (laidOut_ && now == laidOutFor_) return true;
    laidOutFor_ = now;
    laidOut_ = true;
  }
  return QTabWidget::event(event);
}

}  // namespace qs::ui
