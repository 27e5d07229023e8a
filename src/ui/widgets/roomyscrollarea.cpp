#include "ui/widgets/roomyscrollarea.h"

#include <QEvent>

namespace qs::ui {

RoomyScrollArea::RoomyScrollArea(QWidget* page, QWidget* parent) : QScrollArea(parent) {
  setObjectName(page->objectName() + "Scroller");
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(page);
  // The page's own background shows through, as it did without the scroll area.
  viewport()->setAutoFillBackground(false);
  page->setAutoFillBackground(false);
  page->installEventFilter(this);
  // Not a stop of its own on the way through the controls: the area scrolls to the control
  // that takes the focus. A screen reader hears it by the page's name.
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(page->accessibleName());
}

QSize RoomyScrollArea::Around(QSize pageSize) const {
  const QMargins margins = contentsMargins() + viewportMargins();
  return pageSize.grownBy(margins);
}

QSize RoomyScrollArea::minimumSizeHint() const {
  return widget() != nullptr ? Around(widget()->minimumSizeHint()) : QScrollArea::minimumSizeHint();
}

QSize RoomyScrollArea::sizeHint() const {
  return widget() != nullptr ? Around(widget()->sizeHint()) : QScrollArea::sizeHint();
}

bool RoomyScrollArea::eventFilter(QObject* watched, QEvent* event) {
  // The page needs other room (a caption changed, an editor folded): so does the area.
  if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace qs::ui
