#include "ui/widgets/inputblocker.h"

#include <QCoreApplication>
#include <QEvent>

namespace qs::ui {

InputBlocker::InputBlocker() {
  QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
  QCoreApplication::instance()->removeEventFilter(this);
}

bool InputBlocker::IsInput(int type) {
  switch (static_cast<QEvent::Type>(type)) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  if (IsInput(event->type())) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qs::ui
